#include "platform/wayland_pointer_confinement.h"

#include "pointer-constraints-unstable-v1-client-protocol.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QStatusBar>
#include <QWidget>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <wayland-client.h>

#include <cstring>

namespace {

Q_LOGGING_CATEGORY(lcPointer, "jhavari.pointer", QtInfoMsg)

constexpr int kNoticeMs = 20000;

wl_surface* surfaceOf(QWidget* widget)
{
    QWindow* window = widget->window()->windowHandle();
    if (!window || !window->handle())
        return nullptr;
    void* surface = QGuiApplication::platformNativeInterface()->nativeResourceForWindow("surface", window);
    return static_cast<wl_surface*>(surface);
}

// The part of the widget that shows, in the coordinates of its window's
// surface; they begin at the outer edge of a frame that Qt draws itself.
QRect shownRectOnSurface(QWidget* widget)
{
    QRect shown = widget->rect();
    for (QWidget* child = widget; !child->isWindow(); child = child->parentWidget())
        shown = shown.translated(child->pos()) & child->parentWidget()->rect();
    const QMargins frame = widget->window()->windowHandle()->frameMargins();
    return shown.translated(frame.left(), frame.top());
}

} // namespace

struct WaylandPointerConfinement::Listeners {
    static void global(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t)
    {
        auto* self = static_cast<WaylandPointerConfinement*>(data);
        if (std::strcmp(interface, wl_compositor_interface.name) == 0 && !self->m_compositor)
            self->m_compositor =
                static_cast<wl_compositor*>(wl_registry_bind(registry, name, &wl_compositor_interface, 1));
        else if (std::strcmp(interface, zwp_pointer_constraints_v1_interface.name) == 0 && !self->m_constraints)
            self->m_constraints = static_cast<zwp_pointer_constraints_v1*>(
                wl_registry_bind(registry, name, &zwp_pointer_constraints_v1_interface, 1));
        else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self->m_seat) {
            // Qt takes the first seat as its own; so does this.
            self->m_seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
            wl_seat_add_listener(self->m_seat, &kSeat, self);
        }
    }

    static void globalRemoved(void*, wl_registry*, std::uint32_t) { }

    static void seatCapabilities(void* data, wl_seat*, std::uint32_t capabilities)
    {
        auto* self = static_cast<WaylandPointerConfinement*>(data);
        self->m_seatCapabilities = capabilities;
        if (!(capabilities & WL_SEAT_CAPABILITY_POINTER) && self->m_pointer) {
            wl_pointer_destroy(self->m_pointer);
            self->m_pointer = nullptr;
        }
    }

    static void seatName(void*, wl_seat*, const char*) { }

    // The compositor holds the pointer only while the window has the focus
    // and the pointer is inside; it tells when it starts and stops.
    static void confined(void*, zwp_confined_pointer_v1*) { qCDebug(lcPointer) << "the compositor holds the pointer"; }
    static void unconfined(void*, zwp_confined_pointer_v1*) { qCDebug(lcPointer) << "the compositor lets go"; }

    static constexpr wl_registry_listener kRegistry = {global, globalRemoved};
    static constexpr wl_seat_listener kSeat = {seatCapabilities, seatName};
    static constexpr zwp_confined_pointer_v1_listener kConfined = {confined, unconfined};
};

QString WaylandPointerConfinement::noticeText()
{
    return QStringLiteral("This desktop cannot hold the mouse pointer in the window: keep it inside while measuring.");
}

WaylandPointerConfinement::WaylandPointerConfinement(wl_display* display) : m_display(display)
{
    if (!display)
        return;
    // The globals are asked for on a queue of this class's own, so that the
    // answer can be awaited without dispatching Qt's events here.
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* ownDisplay = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(ownDisplay), queue);
    wl_registry* registry = wl_display_get_registry(ownDisplay);
    wl_proxy_wrapper_destroy(ownDisplay);
    wl_registry_add_listener(registry, &Listeners::kRegistry, this);
    wl_display_roundtrip_queue(display, queue); // the globals
    wl_display_roundtrip_queue(display, queue); // the seat's capabilities
    wl_registry_destroy(registry);
    // Later events (a mouse plugged in, the confinement's own) come with Qt's,
    // which dispatches them on the user-interface thread.
    const auto toQtsQueue = [](void* proxy) {
        if (proxy)
            wl_proxy_set_queue(static_cast<wl_proxy*>(proxy), nullptr);
    };
    toQtsQueue(m_compositor);
    toQtsQueue(m_constraints);
    toQtsQueue(m_seat);
    wl_event_queue_destroy(queue);
}

void WaylandPointerConfinement::confine(QWidget* window)
{
    // Qt's grab keeps the presses with the widget, also over its child controls.
    window->grabMouse();
    if (!canConfine()) {
        tellOnce(window);
        return;
    }
    wl_surface* surface = surfaceOf(window);
    wl_pointer* pointer = seatPointer();
    // Without a pointer there is nothing that could leave the window.
    if (!surface || !pointer)
        return;
    if (m_confined)
        zwp_confined_pointer_v1_destroy(m_confined);
    const QRect shown = shownRectOnSurface(window);
    wl_region* region = wl_compositor_create_region(m_compositor);
    wl_region_add(region, shown.x(), shown.y(), shown.width(), shown.height());
    // Persistent: the compositor lets the pointer go while another window has
    // the focus and holds it again when the focus comes back.
    m_confined = zwp_pointer_constraints_v1_confine_pointer(m_constraints, surface, pointer, region,
                                                            ZWP_POINTER_CONSTRAINTS_V1_LIFETIME_PERSISTENT);
    zwp_confined_pointer_v1_add_listener(m_confined, &Listeners::kConfined, this);
    wl_region_destroy(region);
    wl_display_flush(m_display);
}

void WaylandPointerConfinement::release(QWidget* window)
{
    if (m_confined) {
        zwp_confined_pointer_v1_destroy(m_confined);
        m_confined = nullptr;
        wl_display_flush(m_display);
    }
    if (QWidget::mouseGrabber() == window)
        window->releaseMouse();
}

wl_pointer* WaylandPointerConfinement::seatPointer()
{
    if (!m_pointer && m_seat && (m_seatCapabilities & WL_SEAT_CAPABILITY_POINTER))
        m_pointer = wl_seat_get_pointer(m_seat);
    return m_pointer;
}

void WaylandPointerConfinement::tellOnce(QWidget* window)
{
    if (m_told)
        return;
    if (auto* statusBar = window->window()->findChild<QStatusBar*>()) {
        statusBar->showMessage(noticeText(), kNoticeMs);
        m_told = true;
    }
}
