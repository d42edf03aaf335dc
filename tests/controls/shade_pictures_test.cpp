#include "controls/shade_pictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

const ShadePictures::Colours kColours{QColor(64, 32, 0), QColor(192, 160, 128), QColor(255, 255, 255)};

int quiet()
{
    return 0;
}

// How far the flat middle of a row stays off its left and right ends: the side bevels' widths.
std::pair<int, int> bevelWidths(const QImage& texture, int line)
{
    const uchar* row = texture.constScanLine(line);
    const int width = texture.width();
    const uchar level = row[width / 2];
    int first = width / 2;
    while (first > 0 && row[first - 1] == level)
        --first;
    int last = width / 2;
    while (last < width - 1 && row[last + 1] == level)
        ++last;
    return {first, width - 1 - last};
}

bool samePixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        if (memcmp(a.constScanLine(y), b.constScanLine(y), a.width()) != 0)
            return false;
    }
    return true;
}

TEST(ShadePictures, PaletteRunsFromShadowThroughFaceToHighlight)
{
    const QList<QRgb> ramp = ShadePictures::rampPalette(kColours);
    ASSERT_EQ(ramp.size(), 256);
    EXPECT_EQ(ramp[0], qRgb(64, 32, 0));
    EXPECT_EQ(ramp[64], qRgb(128, 96, 64));
    EXPECT_EQ(ramp[127], qRgb(191, 159, 127));
    EXPECT_EQ(ramp[128], qRgb(192, 160, 128));
    EXPECT_EQ(ramp[255], qRgb(255, 255, 255));

    // The focus frame's dots are shadow and highlight, untinted, beginning with shadow at the left and at the bottom.
    const ShadePictures pictures(QSize(40, 20), 4, kColours);
    const QImage& across = pictures.focusHorizontal();
    const QImage& down = pictures.focusVertical();
    EXPECT_EQ(across.size(), QSize(31, 1));
    EXPECT_EQ(down.size(), QSize(1, 12));
    EXPECT_EQ(across.pixel(0, 0), qRgb(64, 32, 0));
    EXPECT_EQ(across.pixel(1, 0), qRgb(255, 255, 255));
    EXPECT_EQ(across.pixel(30, 0), qRgb(64, 32, 0));
    EXPECT_EQ(down.pixel(0, 11), qRgb(64, 32, 0));
    EXPECT_EQ(down.pixel(0, 10), qRgb(255, 255, 255));
    // A button too small for its focus inset still gets one dot.
    EXPECT_EQ(ShadePictures(QSize(6, 6), 4, kColours).focusHorizontal().size(), QSize(1, 1));
}

TEST(ShadePictures, FaceIsTintedAndHoverAndDownMoveTowardTheHighlight)
{
    const ShadePictures pictures(QSize(100, 24), 4, kColours);
    const QImage& normal = pictures.normal();
    ASSERT_EQ(normal.size(), QSize(100, 24));
    // 5 % of the tint (55, 255, 55) in every entry.
    EXPECT_EQ(normal.color(0), qRgb(63, 43, 2));
    EXPECT_EQ(normal.color(255), qRgb(245, 255, 245));
    EXPECT_EQ(ShadePictures::faceColourFor(kColours), pictures.faceColour());
    // Then 10 % toward the highlight.
    EXPECT_EQ(pictures.hover().color(0), qRgb(82, 64, 27));
    EXPECT_EQ(pictures.down().colorTable(), pictures.hover().colorTable());
    EXPECT_EQ(pictures.disabled().colorTable(), normal.colorTable());
    for (const QImage* other : {&pictures.hover(), &pictures.down(), &pictures.disabled()})
        EXPECT_TRUE(samePixels(*other, normal));

    // Other desktop colours give another palette but the same grain.
    const ShadePictures dark(QSize(100, 24), 4, {QColor(10, 10, 10), QColor(60, 60, 60), QColor(120, 120, 120)});
    EXPECT_NE(dark.normal().colorTable(), normal.colorTable());
    EXPECT_TRUE(samePixels(dark.normal(), normal));
    EXPECT_TRUE(ShadePictures(QSize(0, 24), 4, kColours).isNull());
}

TEST(ShadePictures, SideBevelsAreASixthOfTheWidthAtMost16PixelsAndNarrowTowardTopAndBottom)
{
    for (const auto& [width, bevel] : {std::pair{96, 16}, std::pair{48, 8}, std::pair{150, 16}}) {
        SCOPED_TRACE(width);
        const QImage texture = ShadePictures::texture(QSize(width, 24), 8, quiet);
        const int middleLine = 24 - 1 - 12; // rows are counted from the bottom
        EXPECT_EQ(bevelWidths(texture, middleLine), std::pair(bevel, bevel));
        // Bright on the left, dark on the right.
        EXPECT_EQ(texture.constScanLine(middleLine)[0], 247);
        EXPECT_EQ(texture.constScanLine(middleLine)[width - 1], 128 / bevel + 8);
        EXPECT_EQ(bevelWidths(texture, 23), std::pair(0, 0));
        EXPECT_LE(bevelWidths(texture, 0).first, 3);
        for (const int step : {-1, 1}) {
            int previous = bevel;
            for (int line = middleLine; line >= 0 && line < 24; line += step) {
                const auto [left, right] = bevelWidths(texture, line);
                EXPECT_EQ(left, right) << "line " << line;
                EXPECT_LE(left, previous) << "line " << line;
                previous = left;
            }
        }
    }
}

TEST(ShadePictures, TextureIsDarkAtTheBottomAndBrightAtTheTopWithGrainOfTheGranularity)
{
    const QSize size(120, 30);
    const QImage plain = ShadePictures::texture(size, 8, quiet);
    const QImage grainy = ShadePictures::texture(size, 8, ShadePictures::noiseSource(8));
    int previousLevel = 256;
    for (int line = 0; line < size.height(); ++line) {
        const int level = plain.constScanLine(line)[size.width() / 2];
        EXPECT_LE(level, previousLevel) << "line " << line;
        previousLevel = level;
    }
    EXPECT_EQ(plain.constScanLine(29)[60], 19);
    EXPECT_EQ(plain.constScanLine(15)[60], 128);
    EXPECT_GT(plain.constScanLine(0)[60], 210);

    // Twice shaken in the flat part: at most twice the granularity away, and not all alike.
    int differing = 0;
    for (int line = 0; line < size.height(); ++line) {
        for (int x = 20; x < 100; ++x) {
            const int shift = grainy.constScanLine(line)[x] - plain.constScanLine(line)[x];
            ASSERT_LE(std::abs(shift), 16) << x << ", " << line;
            differing += shift != 0;
        }
    }
    EXPECT_GT(differing, 30 * 80 / 2);
}

} // namespace
