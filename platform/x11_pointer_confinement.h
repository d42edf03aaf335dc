#pragma once

#include "platform/pointer_confinement.h"

// On X11 an active pointer grab confined to the widget's own window; elsewhere
// (or if the X server refuses) Qt's mouse grab, which keeps the presses in the
// window but cannot hold the pointer in it.
class X11PointerConfinement : public PointerConfinement {
public:
    void confine(QWidget* window) override;
    void release(QWidget* window) override;

private:
    bool m_x11Grab = false;
};
