#include "controls/text_contrast.h"

#include <gtest/gtest.h>

namespace {

const QColor kBlue(0, 0, 255);
const QColor kOrange(255, 96, 0);
const QColor kDarkFace(60, 68, 60);
const QColor kLightFace(230, 240, 230);

TEST(TextContrast, RatiosRunFromOneToTwentyOne)
{
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(Qt::white, Qt::black), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(kBlue, kBlue), 1.0, 1e-9);
    EXPECT_NEAR(contrastRatio(kBlue, Qt::white), 8.59, 0.01);
}

TEST(TextContrast, AColourTooFaintTakesTheLightnessOfItsHueThatJustReaches)
{
    EXPECT_EQ(readableOn(kBlue, kLightFace, 4.5), kBlue) << "kept where it reaches";
    for (const auto& [colour, face] : {std::pair{kBlue, kDarkFace}, std::pair{kOrange, kLightFace}}) {
        const QColor readable = readableOn(colour, face, 4.5);
        EXPECT_GE(contrastRatio(readable, face), 4.5);
        EXPECT_EQ(readable.hslHue(), colour.hslHue());
        const int step = face.lightness() < 128 ? -1 : 1;
        const QColor oneStepShort =
            QColor::fromHsl(readable.hslHue(), readable.hslSaturation(), readable.lightness() + step);
        EXPECT_LT(contrastRatio(oneStepShort, face), 4.5) << "no further than needed";
    }
    EXPECT_GT(readableOn(kBlue, kDarkFace, 4.5).lightness(), kBlue.lightness()) << "lighter on a dark face";
    EXPECT_LT(readableOn(kOrange, kLightFace, 4.5).lightness(), kOrange.lightness()) << "darker on a light face";
}

TEST(TextContrast, FadedTextStandsOutAtMostAsMuchAsAllowed)
{
    const QColor faded = fadedOn(Qt::white, kDarkFace, 3.0);
    EXPECT_LE(contrastRatio(faded, kDarkFace), 3.0);
    EXPECT_GT(contrastRatio(faded, kDarkFace), 2.8);
    const QColor faint(90, 95, 90);
    EXPECT_EQ(fadedOn(faint, kDarkFace, 3.0), faint);
}

} // namespace
