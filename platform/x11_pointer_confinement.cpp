#include "platform/x11_pointer_confinement.h"

#include "platform/x11_connection.h"

#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// An active pointer grab confined to the widget's own rectangle; false when
// the server refuses it.
bool grabConfinedX11(xcb_connection_t* connection, QWidget* window)
{
    const auto topLevel = static_cast<xcb_window_t>(window->window()->winId());
    // The server confines only to a window of its own: the widget gets one, so
    // that the pointer cannot reach the menu bar, the tool bar or the status
    // bar around it, whose presses would not reach the widget.
    const auto confineTo = static_cast<xcb_window_t>(window->winId());
    const uint16_t events = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                            XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_LEAVE_WINDOW;
    // Owner events: the program's own windows still get their events as usual.
    const xcb_grab_pointer_cookie_t cookie =
        xcb_grab_pointer(connection, 1, topLevel, events, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, confineTo, XCB_NONE,
                         XCB_CURRENT_TIME);
    xcb_grab_pointer_reply_t* reply = xcb_grab_pointer_reply(connection, cookie, nullptr);
    const bool grabbed = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    return grabbed;
}

} // namespace

void X11PointerConfinement::confine(QWidget* window)
{
    // On X11 the server's grab both confines and keeps every press in the
    // program; Qt's own grab would take the pointer first and cannot confine.
    xcb_connection_t* connection = x11Connection();
    m_x11Grab = connection && grabConfinedX11(connection, window);
    if (!m_x11Grab)
        window->grabMouse();
}

void X11PointerConfinement::release(QWidget* window)
{
    if (m_x11Grab) {
        if (xcb_connection_t* connection = x11Connection()) {
            xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
            xcb_flush(connection);
        }
        m_x11Grab = false;
    }
    if (QWidget::mouseGrabber() == window)
        window->releaseMouse();
}
