#include "platform/xwayland_fallback.h"

#include <gtest/gtest.h>

namespace {

// Tells how often the compositor was asked.
struct Compositor {
    bool confines;
    int asked = 0;
    std::function<bool()> probe()
    {
        return [this] {
            ++asked;
            return confines;
        };
    }
};

} // namespace

TEST(XWaylandFallback, OnlyACompositorThatCannotConfineSendsTheProgramThroughXWayland)
{
    Compositor lacking{false};
    EXPECT_EQ(XWaylandFallback::platforms({}, true, true, lacking.probe()), "xcb;wayland");

    Compositor confining{true};
    EXPECT_EQ(XWaylandFallback::platforms({}, true, true, confining.probe()), QByteArray());
    EXPECT_EQ(confining.asked, 1);
}

TEST(XWaylandFallback, WithoutXWaylandOrWithThePlatformChosenByTheUserNothingChangesAndNobodyIsAsked)
{
    Compositor lacking{false};
    EXPECT_EQ(XWaylandFallback::platforms({}, true, false, lacking.probe()), QByteArray());
    EXPECT_EQ(XWaylandFallback::platforms("wayland", true, true, lacking.probe()), QByteArray());
    EXPECT_EQ(XWaylandFallback::platforms({}, false, true, lacking.probe()), QByteArray());
    EXPECT_EQ(lacking.asked, 0);
}
