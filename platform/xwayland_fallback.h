#pragma once

#include <QByteArray>

#include <functional>

// In a Wayland session whose compositor cannot hold the pointer in a window
// (it lacks the pointer-constraints protocol) the program runs through
// XWayland, whose X server can. Made before the application object: it asks
// Qt for xcb, with Wayland as the fallback should no X server answer, unless
// the user chose a platform himself.
class XWaylandFallback {
public:
    XWaylandFallback();
    // Takes the choice back out of the environment once Qt has read it, so
    // that programs started from here choose for themselves.
    void applicationMade();

    // The platforms to ask Qt for, or empty to leave it its own choice. The
    // compositor is asked only where the answer depends on it.
    static QByteArray platforms(const QByteArray& requested, bool waylandDisplay, bool x11Display,
                                const std::function<bool()>& compositorConfines);
    // Whether the compositor named by WAYLAND_DISPLAY offers pointer
    // confinement; false when it does not answer.
    static bool compositorConfines();

private:
    bool m_chosen = false;
};
