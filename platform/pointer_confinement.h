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

// The real confinement: on X11 an active pointer grab confined to the
// window; elsewhere (or if the X server refuses) Qt's mouse grab, which keeps
// the presses in the window but cannot hold the pointer in it.
PointerConfinement& pointerConfinement();
void setPointerConfinement(PointerConfinement* confinement);
