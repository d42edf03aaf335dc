#include "controls/bitmap_slider.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWaveVolume = 1054;
// The volume slider's thumb centres: 13 + int(213 * p / 20).
constexpr int kCentreAt10 = 119;
constexpr int kCentreAt20 = 226;
constexpr int kThumbTop = 3;
constexpr int kThumbMiddleY = kThumbTop + 5;

class BitmapSliderTest : public testing::Test {
protected:
    BitmapSliderTest()
        : slider(kWaveVolume, &form), moving(&slider, &BitmapSlider::moving), moved(&slider, &BitmapSlider::moved)
    {
        slider.setUpAsVolumeSlider();
        form.resize(300, 40);
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    void mouse(QEvent::Type type, int x)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const QPointF local(x, kThumbMiddleY);
        QMouseEvent event(type, local, slider.mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&slider, &event);
    }

    QImage picture() { return slider.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    static QList<QVariant> report(int position) { return {kWaveVolume, position}; }

    QWidget form;
    BitmapSlider slider;
    QSignalSpy moving;
    QSignalSpy moved;
};

TEST_F(BitmapSliderTest, AClickBesideTheThumbMovesItUnderThePointerAndTheReleaseReportsIt)
{
    ASSERT_EQ(slider.size(), QSize(240, 17));
    mouse(QEvent::MouseButtonPress, 60);
    EXPECT_EQ(slider.position(), 4); // (60 - 13) / 213 * 20, truncated
    EXPECT_EQ(moving, QList<QList<QVariant>>{report(4)});
    EXPECT_TRUE(moved.isEmpty());
    EXPECT_TRUE(slider.hasFocus());

    mouse(QEvent::MouseButtonRelease, 60);
    EXPECT_EQ(moved, QList<QList<QVariant>>{report(4)});
    EXPECT_EQ(moving.size(), 1);
}

TEST_F(BitmapSliderTest, AClickOnTheThumbKeepsItsGripAndWithoutMovingReportsOnlyTheRelease)
{
    mouse(QEvent::MouseButtonPress, kCentreAt10 + 3);
    mouse(QEvent::MouseButtonRelease, kCentreAt10 + 3);
    EXPECT_TRUE(moving.isEmpty());
    EXPECT_EQ(moved, QList<QList<QVariant>>{report(10)});

    // Gripped 3 pixels right of its centre, the centre follows 3 pixels behind the pointer.
    mouse(QEvent::MouseButtonPress, kCentreAt10 + 3);
    mouse(QEvent::MouseMove, kCentreAt10 + 3 + 30);
    EXPECT_EQ(slider.position(), 12); // (149 - 13) / 213 * 20 = 12.8
    EXPECT_EQ(moving.last(), report(12));
}

TEST_F(BitmapSliderTest, DraggingBeyondEitherEndKeepsTheThumbAtThatEnd)
{
    mouse(QEvent::MouseButtonPress, kCentreAt10);
    mouse(QEvent::MouseMove, 400);
    EXPECT_EQ(slider.position(), 20);
    mouse(QEvent::MouseMove, 2000);
    EXPECT_EQ(slider.position(), 20);
    EXPECT_EQ(moving.last(), report(20));
    const QImage atEnd = picture();
    mouse(QEvent::MouseMove, -50);
    EXPECT_EQ(slider.position(), 0);
    mouse(QEvent::MouseButtonRelease, -50);
    EXPECT_EQ(moved.last(), report(0));

    // The thumb stands whole inside the slider at its right end.
    const QImage thumb(QStringLiteral(":/bitmaps/136.png"));
    const int left = kCentreAt20 - thumb.width() / 2;
    EXPECT_EQ(atEnd.pixel(left + thumb.width() - 3, kThumbTop + 5), thumb.pixel(thumb.width() - 3, 5));
}

TEST_F(BitmapSliderTest, KeysStepThePositionWithinTheRangeAndReportEachStepAndEachMove)
{
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_PageDown, 20}, {Qt::Key_Home, 0},   {Qt::Key_Right, 1},
                                             {Qt::Key_Down, 2},      {Qt::Key_Up, 1},     {Qt::Key_End, 20},
                                             {Qt::Key_Left, 19},     {Qt::Key_PageUp, 0}, {Qt::Key_Left, 0}};
    for (const auto& [key, position] : steps) {
        QTest::keyClick(&slider, key);
        EXPECT_EQ(slider.position(), position) << key;
        EXPECT_EQ(moved.last(), report(position)) << key;
    }
    EXPECT_EQ(moved.size(), std::size(steps));
    // Left at the left end moves nothing.
    EXPECT_EQ(moving.size(), std::size(steps) - 1);
    EXPECT_EQ(moving.last(), report(0));
}

TEST_F(BitmapSliderTest, TheChannelLeftOfTheThumbIsActiveAndTheThumbShowsTheChannelThroughItsCorners)
{
    const QImage channel(QStringLiteral(":/bitmaps/133.png"));
    const QImage activeChannel(QStringLiteral(":/bitmaps/134.png"));
    const QImage thumb(QStringLiteral(":/bitmaps/135.png"));
    const QImage activeThumb(QStringLiteral(":/bitmaps/136.png"));
    const int left = kCentreAt10 - thumb.width() / 2;

    const QImage rest = picture();
    EXPECT_EQ(rest.pixel(50, 8), activeChannel.pixel(50, 8));
    EXPECT_EQ(rest.pixel(200, 8), channel.pixel(200, 8));
    EXPECT_NE(activeChannel.pixel(50, 8), channel.pixel(50, 8));
    EXPECT_EQ(rest.pixel(left + 5, kThumbTop + 5), thumb.pixel(5, 5));
    EXPECT_EQ(rest.pixel(left, kThumbTop), activeChannel.pixel(left, kThumbTop));

    mouse(QEvent::MouseButtonPress, kCentreAt10);
    const QImage dragging = picture();
    EXPECT_EQ(dragging.pixel(left + 5, kThumbTop + 5), activeThumb.pixel(5, 5));
    EXPECT_NE(activeThumb.pixel(5, 5), thumb.pixel(5, 5));
    mouse(QEvent::MouseButtonRelease, kCentreAt10);
    EXPECT_EQ(picture(), rest);
}

TEST_F(BitmapSliderTest, ADisabledSliderShowsOnlyItsChannelAndIgnoresMouseAndKeys)
{
    mouse(QEvent::MouseButtonPress, kCentreAt10);
    slider.setEnabled(false);
    EXPECT_FALSE(slider.isDragging());

    mouse(QEvent::MouseMove, 200);
    mouse(QEvent::MouseButtonRelease, 200);
    mouse(QEvent::MouseButtonPress, 30);
    QTest::keyClick(&slider, Qt::Key_End);
    EXPECT_EQ(slider.position(), 10);
    EXPECT_TRUE(moving.isEmpty());
    EXPECT_TRUE(moved.isEmpty());

    const QImage channel(QStringLiteral(":/bitmaps/133.png"));
    EXPECT_EQ(picture(), channel.convertToFormat(QImage::Format_RGB32));
}

} // namespace
