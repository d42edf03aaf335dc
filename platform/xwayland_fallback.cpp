#include "platform/xwayland_fallback.h"

#include "pointer-constraints-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <cstring>

namespace {

constexpr const char* kPlatformVariable = "QT_QPA_PLATFORM";
constexpr const char* kXWaylandFirst = "xcb;wayland";

void noteConstraints(void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t)
{
    if (std::strcmp(interface, zwp_pointer_constraints_v1_interface.name) == 0)
        *static_cast<bool*>(data) = true;
}

void ignoreRemoval(void*, wl_registry*, std::uint32_t)
{
}

constexpr wl_registry_listener kGlobals = {noteConstraints, ignoreRemoval};

} // namespace

XWaylandFallback::XWaylandFallback()
{
    // A socket handed over by the compositor can be connected only once: Qt's.
    const bool waylandDisplay =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_SOCKET");
    const QByteArray chosen = platforms(qgetenv(kPlatformVariable), waylandDisplay,
                                        !qEnvironmentVariableIsEmpty("DISPLAY"), compositorConfines);
    if (!chosen.isEmpty()) {
        qputenv(kPlatformVariable, chosen);
        m_chosen = true;
    }
}

void XWaylandFallback::applicationMade()
{
    if (m_chosen)
        qunsetenv(kPlatformVariable);
    m_chosen = false;
}

QByteArray XWaylandFallback::platforms(const QByteArray& requested, bool waylandDisplay, bool x11Display,
                                       const std::function<bool()>& compositorConfines)
{
    if (!requested.isEmpty() || !waylandDisplay || !x11Display || compositorConfines())
        return {};
    return kXWaylandFirst;
}

bool XWaylandFallback::compositorConfines()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return false;
    bool offered = false;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &kGlobals, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}
