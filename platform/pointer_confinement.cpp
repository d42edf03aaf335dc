#include "platform/pointer_confinement.h"

#include "platform/x11_pointer_confinement.h"

namespace {

// The stand-in a test installed, or null.
PointerConfinement*& installedConfinement()
{
    static PointerConfinement* installed = nullptr;
    return installed;
}

} // namespace

PointerConfinement& pointerConfinement()
{
    static X11PointerConfinement real;
    return installedConfinement() ? *installedConfinement() : real;
}

void setPointerConfinement(PointerConfinement* confinement)
{
    installedConfinement() = confinement;
}
