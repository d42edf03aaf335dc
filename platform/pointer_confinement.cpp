#include "platform/pointer_confinement.h"

#include "platform/wayland_pointer_confinement.h"
#include "platform/x11_pointer_confinement.h"

#include <QGuiApplication>
#include <qpa/qplatformnativeinterface.h>

#include <memory>

namespace {

std::unique_ptr<PointerConfinement> makeDesktopConfinement()
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        void* display = QGuiApplication::platformNativeInterface()->nativeResourceForIntegration("wl_display");
        return std::make_unique<WaylandPointerConfinement>(static_cast<wl_display*>(display));
    }
    return std::make_unique<X11PointerConfinement>();
}

// The stand-in a test installed, or null.
PointerConfinement*& installedConfinement()
{
    static PointerConfinement* installed = nullptr;
    return installed;
}

} // namespace

PointerConfinement& pointerConfinement()
{
    if (installedConfinement())
        return *installedConfinement();
    static const std::unique_ptr<PointerConfinement> real = makeDesktopConfinement();
    return *real;
}

void setPointerConfinement(PointerConfinement* confinement)
{
    installedConfinement() = confinement;
}
