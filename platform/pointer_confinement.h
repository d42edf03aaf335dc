#pragma once

class QWidget;

// Keeps the mouse pointer inside a window: every press goes to it and the
// pointer cannot leave it. Behind an interface so tests can stand in.
class PointerConfinement {
public:
    virtual ~PointerConfinement() = default;
    virtual void confine(QWidget* window) = 0;
    virtual void release(QWidget* window) = 0;
};

// The real confinement of the window system Qt runs on: the X server's
// pointer grab on X11, the compositor's pointer constraints on Wayland.
PointerConfinement& pointerConfinement();
void setPointerConfinement(PointerConfinement* confinement);
