#include "platform/keyboard_state.h"

#include "platform/x11_connection.h"

#include <xcb/xcb.h>

#include <cstdlib>

bool isKeyDownOnKeyboard(std::uint32_t nativeScanCode)
{
    xcb_connection_t* connection = x11Connection();
    // X key codes run from 8 to 255.
    if (!connection || nativeScanCode < 8 || nativeScanCode > 255)
        return false;
    xcb_query_keymap_reply_t* keymap = xcb_query_keymap_reply(connection, xcb_query_keymap(connection), nullptr);
    if (!keymap)
        return false;
    const bool down = (keymap->keys[nativeScanCode / 8] >> (nativeScanCode % 8)) & 1;
    std::free(keymap);
    return down;
}
