#include "controls/interval_clock.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// Where the face's fields lie: four large digits, two small ones, the indicator.
const QPoint kFieldPositions[6] = {{5, 33}, {32, 33}, {65, 33}, {92, 33}, {120, 50}, {134, 50}};
const QRect kIndicatorField(5, 5, 111, 23);

QImage picture(int resourceNumber)
{
    return QImage(QStringLiteral(":/bitmaps/%1.png").arg(resourceNumber)).convertToFormat(QImage::Format_RGB32);
}

QImage face(IntervalClock& clock)
{
    return clock.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The digits the face shows, read back by comparing each digit field with the strips' cells.
QString shownDigits(const QImage& image)
{
    const QImage large = picture(ClockPictures{}.largeDigits);
    const QImage small = picture(ClockPictures{}.smallDigits);
    QString digits;
    for (int i = 0; i < 6; ++i) {
        const bool isLarge = i < 4;
        const QSize size = isLarge ? QSize(24, 34) : QSize(12, 17);
        const QImage field = image.copy(QRect(kFieldPositions[i], size));
        QChar found = '?';
        for (int digit = 0; digit < 10; ++digit) {
            if ((isLarge ? large : small).copy(digit * size.width(), 0, size.width(), size.height()) == field)
                found = QChar('0' + digit);
        }
        digits += found;
    }
    return digits;
}

QImage indicatorOf(const QImage& image)
{
    return image.copy(kIndicatorField);
}

struct LitClock : testing::Test {
    LitClock()
    {
        EXPECT_TRUE(clock.setPictures());
        clock.setLit(true);
    }
    IntervalClock clock;
    ClockPictures numbers;
};

TEST_F(LitClock, ShowsHoursWithinADayMinutesAndSecondsOnAFaceOfItsBackgroundsSize)
{
    EXPECT_EQ(clock.size(), QSize(151, 72));
    EXPECT_EQ(clock.minimumSize(), clock.maximumSize());
    clock.setTime(3725);
    EXPECT_EQ(shownDigits(face(clock)), "010205");
    clock.setTime(25 * 3600);
    EXPECT_EQ(shownDigits(face(clock)), "010000");
    clock.setTime(23 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(shownDigits(face(clock)), "235959");
    // Dark, the face is the plain background; lit again it starts at zero.
    clock.setRunning(true);
    clock.setLit(false);
    EXPECT_EQ(face(clock), picture(numbers.background));
    EXPECT_EQ(clock.span(), 0);
    clock.setLit(true);
    EXPECT_EQ(shownDigits(face(clock)), "000000");
}

TEST_F(LitClock, IndicatorBlinksEveryThirdUpdateWhileRunning)
{
    const QImage notRunning = picture(numbers.notRunning);
    const QImage first = picture(numbers.runningFirst);
    const QImage second = picture(numbers.runningSecond);
    ASSERT_NE(first, second);
    // Updates while nothing runs also turn the phase; a new running state counts afresh.
    clock.setTime(1);
    clock.setTime(2);
    EXPECT_EQ(indicatorOf(face(clock)), notRunning);
    clock.setRunning(true);
    EXPECT_EQ(indicatorOf(face(clock)), first);
    const QImage expected[] = {second, second, second, first, first, first, second};
    for (int update = 1; update <= 7; ++update) {
        clock.setTime(update);
        EXPECT_EQ(indicatorOf(face(clock)), expected[update - 1]) << "update " << update;
    }

    // The interval ends: the face keeps its length and shows the resting indicator.
    clock.setRunning(false);
    EXPECT_EQ(indicatorOf(face(clock)), notRunning);
    EXPECT_EQ(shownDigits(face(clock)), "000007");
}

TEST(IntervalClock, MissingPictureLeavesAnEmptyFace)
{
    IntervalClock clock;
    ClockPictures pictures;
    pictures.runningSecond = 9999;
    EXPECT_FALSE(clock.setPictures(pictures));
    clock.resize(151, 72);
    clock.setLit(true);
    clock.setRunning(true);
    clock.setTime(3725);
    EXPECT_EQ(clock.grab().toImage().size(), QSize(151, 72));
}

TEST(ClockFace, SpanBelowZeroShowsNothingElapsed)
{
    EXPECT_EQ(ClockFace::digitsOf(-61), (ClockFace::Digits{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(ClockFace::digitsOf(36000 + 600 + 10), (ClockFace::Digits{1, 0, 1, 0, 1, 0}));
}

} // namespace
