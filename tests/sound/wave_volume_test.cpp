#include "sound/wave_volume.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

TEST(WaveVolumeTest, TheLevelIsTheGainOfTheBackEndAndEveryChangeIsReported)
{
    WaveVolume wave;
    EXPECT_TRUE(wave.hasVolumeControl());
    EXPECT_EQ(wave.level(), 65535);
    QSignalSpy changes(&wave, &VolumeControl::levelChanged);

    wave.setLevel(5 * 3277);
    EXPECT_EQ(wave.gain()->level(), 16385);
    ASSERT_TRUE(changes.wait(1000));
    EXPECT_EQ(changes.last().at(0).toInt(), 16385);

    // Position 20 is beyond the scale: the full level.
    wave.setLevel(20 * 3277);
    ASSERT_TRUE(changes.wait(1000));
    EXPECT_EQ(wave.level(), 65535);

    changes.clear();
    wave.setLevel(65535);
    EXPECT_FALSE(changes.wait(100));
}
