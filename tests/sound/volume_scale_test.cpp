#include "sound/volume_control.h"

#include <gtest/gtest.h>

TEST(VolumeScaleTest, LevelsShowAsTheNearestPositionAndAnUnusableLevelBeyondTheEnd)
{
    EXPECT_EQ(VolumeControl::levelOfPosition(0), 0);
    EXPECT_EQ(VolumeControl::levelOfPosition(10), 32770);
    EXPECT_EQ(VolumeControl::levelOfPosition(20), 65540);
    EXPECT_EQ(VolumeControl::levelOfPosition(0x7FFFFFFF), 65540) << "a damaged file's position";

    EXPECT_EQ(VolumeControl::positionOfLevel(0), 0);
    EXPECT_EQ(VolumeControl::positionOfLevel(1638), 0);
    EXPECT_EQ(VolumeControl::positionOfLevel(1639), 1);
    EXPECT_EQ(VolumeControl::positionOfLevel(32770), 10);
    EXPECT_EQ(VolumeControl::positionOfLevel(65535), 20);
    EXPECT_GT(VolumeControl::positionOfLevel(-1), 20);
}
