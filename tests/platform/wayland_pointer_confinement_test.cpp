#include "platform/wayland_pointer_confinement.h"

#include <QMainWindow>
#include <QStatusBar>

#include <gtest/gtest.h>

TEST(WaylandPointerConfinement, WithoutTheCompositorsConfinementTheStatusBarSaysSoOnceAndPressesStillComeHere)
{
    QMainWindow window;
    auto* form = new QWidget;
    window.setCentralWidget(form);
    QStatusBar* statusBar = window.statusBar();
    window.show();
    WaylandPointerConfinement confinement(nullptr);
    EXPECT_FALSE(confinement.canConfine());

    confinement.confine(form);
    EXPECT_EQ(statusBar->currentMessage(), WaylandPointerConfinement::noticeText());
    EXPECT_EQ(QWidget::mouseGrabber(), form);
    confinement.release(form);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    statusBar->clearMessage();
    confinement.confine(form);
    EXPECT_TRUE(statusBar->currentMessage().isEmpty());
    confinement.release(form);
}
