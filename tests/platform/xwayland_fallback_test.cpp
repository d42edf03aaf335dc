#include "platform/xwayland_fallback.h"

#include <gtest/gtest.h>

TEST(XWaylandFallback, OnlyACompositorThatCannotConfineSendsTheProgramToAnXWaylandThatIsThere)
{
    int asked = 0;
    const auto lacking = [&asked] {
        ++asked;
        return false;
    };
    EXPECT_EQ(XWaylandFallback::platforms({}, true, true, lacking), "xcb;wayland");
    EXPECT_EQ(XWaylandFallback::platforms({}, true, true, [] { return true; }), QByteArray());

    // Without XWayland, outside Wayland or with a platform the user chose, the compositor is not even asked.
    EXPECT_EQ(XWaylandFallback::platforms({}, true, false, lacking), QByteArray());
    EXPECT_EQ(XWaylandFallback::platforms({}, false, true, lacking), QByteArray());
    EXPECT_EQ(XWaylandFallback::platforms("wayland", true, true, lacking), QByteArray());
    EXPECT_EQ(asked, 1);
}
