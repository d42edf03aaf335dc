#include "controls/bevel_progress_bar.h"

#include <QPalette>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor kFace(240, 240, 240);
const QColor kShadow(160, 160, 160);
const QColor kHighlight(255, 255, 255);
const QColor kDarkShadow(105, 105, 105);

struct ProgressBar : testing::Test {
    ProgressBar()
    {
        QPalette colours = bar.palette();
        colours.setColor(QPalette::Button, kFace);
        colours.setColor(QPalette::Dark, kShadow);
        colours.setColor(QPalette::Light, kHighlight);
        colours.setColor(QPalette::Shadow, kDarkShadow);
        bar.setPalette(colours);
        bar.resize(200, 13);
    }
    QColor at(int x, int y) { return bar.grab().toImage().pixelColor(x, y); }
    BevelProgressBar bar;
};

TEST_F(ProgressBar, ShowsTheBevelledBarUpToItsValueInsideTheSunkenFrame)
{
    bar.setValue(-5);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(at(100, 6), kFace);
    EXPECT_EQ(at(0, 6), kShadow);
    EXPECT_EQ(at(100, 0), kShadow);
    EXPECT_EQ(at(199, 6), kHighlight);
    EXPECT_EQ(at(100, 12), kHighlight);

    bar.setValue(50);
    const QColor base(0, 100, 0), light1(51, 151, 51), light2(102, 202, 102), light3(153, 253, 153);
    const QColor dark(0, 49, 0), middleShadow(132, 132, 132);
    // Down through the bar's middle column, from the top edge to the bottom edge.
    const std::vector<QColor> column{dark,   base,   light1, light2, light3, light3, light3,
                                     light3, light2, light1, base,   dark,   dark};
    for (int y = 0; y < 13; ++y)
        EXPECT_EQ(at(50, y), column[y]) << "row " << y;
    EXPECT_EQ(at(0, 6), base);
    EXPECT_EQ(at(97, 6), light2);
    EXPECT_EQ(at(98, 6), dark);
    EXPECT_EQ(at(99, 6), dark);
    EXPECT_EQ(at(100, 6), middleShadow);
    EXPECT_EQ(at(101, 6), kShadow);
    EXPECT_EQ(at(150, 6), kFace);

    bar.setValue(150);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(at(150, 6), light3);
    EXPECT_EQ(at(199, 6), dark);
    EXPECT_EQ(at(199, 12), dark);
}

TEST_F(ProgressBar, RepaintsOnlyWhenTheValueChanges)
{
    struct PaintCounter : QObject {
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
        int paints = 0;
    } counter;
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QTest::qWait(20);
    bar.installEventFilter(&counter);

    bar.setValue(40);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints == 1; }));
    bar.setValue(40);
    QTest::qWait(50);
    EXPECT_EQ(counter.paints, 1);
    bar.setValue(140);
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints == 2; }));
    bar.setValue(100);
    QTest::qWait(50);
    EXPECT_EQ(counter.paints, 2);
}

} // namespace
