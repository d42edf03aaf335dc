#include "platform/x11_screen_saver_suspension.h"

#include "platform/x11_connection.h"

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

void X11ScreenSaverSuspension::setSuspended(bool suspended)
{
    // The server counts a client's suspensions: each must be ended once.
    if (suspended == m_suspended)
        return;
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_screensaver_id);
    if (!extension || !extension->present)
        return;
    xcb_screensaver_suspend(connection, suspended);
    xcb_flush(connection);
    m_suspended = suspended;
}
