#include "pointer_confinement.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

namespace {

xcb_connection_t* X11Connection()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

class CQtPointerConfinement : public IPointerConfinement {
public:
    void Confine(QWidget* window) override
    {
        window->grabMouse();
        if (xcb_connection_t* connection = X11Connection()) {
            // Re-grabbing from the same client replaces Qt's grab, adding the confinement.
            const auto id = static_cast<xcb_window_t>(window->winId());
            const uint16_t events = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                                    XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
                                    XCB_EVENT_MASK_LEAVE_WINDOW;
            xcb_grab_pointer(connection, 1, id, events, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, id, XCB_NONE,
                             XCB_CURRENT_TIME);
            xcb_flush(connection);
        }
    }

    void Release(QWidget* window) override
    {
        if (xcb_connection_t* connection = X11Connection()) {
            xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
            xcb_flush(connection);
        }
        if (QWidget::mouseGrabber() == window)
            window->releaseMouse();
    }
};

IPointerConfinement* g_pConfinement = nullptr;

} // namespace

IPointerConfinement& PointerConfinement()
{
    static CQtPointerConfinement real;
    return g_pConfinement ? *g_pConfinement : real;
}

void SetPointerConfinement(IPointerConfinement* confinement)
{
    g_pConfinement = confinement;
}
