// Prints the state of the X server's screen saver on $DISPLAY, as its
// extension reports it: "on" while it shows, else "off".
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 2;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    xcb_screensaver_query_info_reply_t* info =
        xcb_screensaver_query_info_reply(connection, xcb_screensaver_query_info(connection, screen->root), nullptr);
    if (!info)
        return 2;
    std::puts(info->state == XCB_SCREENSAVER_STATE_ON ? "on" : "off");
    std::free(info);
    xcb_disconnect(connection);
    return 0;
}
