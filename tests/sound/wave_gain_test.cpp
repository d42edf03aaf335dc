#include "sound/wave_gain.h"

#include <gtest/gtest.h>

#include <vector>

TEST(WaveGainTest, SamplesStayUnchangedAtFullLevelFallSilentAtZeroAndScaleBetween)
{
    const std::vector<std::int16_t> original{0, 1000, -1000, 32767, -32768};
    const std::vector<float> originalFloats{0.0f, 0.25f, -0.5f, 1.0f, -1.0f};
    WaveGain gain;

    std::vector<std::int16_t> samples = original;
    std::vector<float> floats = originalFloats;
    gain.apply(samples);
    gain.apply(floats);
    EXPECT_EQ(samples, original);
    EXPECT_EQ(floats, originalFloats);

    gain.setLevel(65535 / 2 + 1);
    gain.apply(samples);
    gain.apply(floats);
    EXPECT_EQ(samples, (std::vector<std::int16_t>{0, 500, -500, 16383, -16384}));
    EXPECT_NEAR(floats[1], 0.125f, 1e-5f);
    EXPECT_NEAR(floats[4], -0.5f, 1e-5f);

    gain.setLevel(-5);
    EXPECT_EQ(gain.level(), 0);
    gain.apply(samples);
    gain.apply(floats);
    EXPECT_EQ(samples, std::vector<std::int16_t>(5, 0));
    EXPECT_EQ(floats, std::vector<float>(5, 0.0f));
}
