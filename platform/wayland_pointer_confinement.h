#pragma once

#include "platform/pointer_confinement.h"

#include <QString>

#include <cstdint>

struct wl_compositor;
struct wl_display;
struct wl_pointer;
struct wl_seat;
struct zwp_confined_pointer_v1;
struct zwp_pointer_constraints_v1;

// On Wayland the compositor holds the pointer in the widget's rectangle
// through its pointer-constraints protocol, asked on Qt's own connection.
// Where the compositor lacks the protocol the pointer stays free, and the
// status bar says so the first time.
class WaylandPointerConfinement : public PointerConfinement {
public:
    static QString noticeText();

    // Binds what the confinement needs on the connection; a null display
    // stands for a compositor without the protocol.
    explicit WaylandPointerConfinement(wl_display* display);
    // The protocol objects belong to Qt's connection, which may end before
    // this does: they are left to it.
    ~WaylandPointerConfinement() override = default;
    WaylandPointerConfinement(const WaylandPointerConfinement&) = delete;
    WaylandPointerConfinement& operator=(const WaylandPointerConfinement&) = delete;

    bool canConfine() const { return m_constraints != nullptr; }
    void confine(QWidget* window) override;
    void release(QWidget* window) override;

private:
    struct Listeners;
    friend struct Listeners;

    wl_pointer* seatPointer();
    void tellOnce(QWidget* window);

    wl_display* m_display = nullptr;
    wl_compositor* m_compositor = nullptr;
    zwp_pointer_constraints_v1* m_constraints = nullptr;
    wl_seat* m_seat = nullptr;
    std::uint32_t m_seatCapabilities = 0;
    wl_pointer* m_pointer = nullptr;
    zwp_confined_pointer_v1* m_confined = nullptr;
    bool m_told = false;
};
