#pragma once

class QWidget;

// Keeps the mouse pointer inside a window: every press goes to it and the
// pointer cannot leave it. Behind an interface so tests can stand in.
class IPointerConfinement {
public:
    virtual ~IPointerConfinement() = default;
    virtual void Confine(QWidget* window) = 0;
    virtual void Release(QWidget* window) = 0;
};

// The real confinement: Qt's mouse grab, and on X11 a pointer grab confined
// to the window; elsewhere the grab alone.
IPointerConfinement& PointerConfinement();
void SetPointerConfinement(IPointerConfinement* confinement);
