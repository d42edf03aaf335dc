#include "practice/key_repeat_filter.h"

#include <gtest/gtest.h>

namespace {

using Change = KeyRepeatFilter::Change;
constexpr int kSpace = 0x20;

TEST(KeyRepeatFilterTest, AKeyHeldDownIsOnePressAndOneReleaseHoweverItsRepeatArrives)
{
    KeyRepeatFilter keys;
    // An X server without detectable repeat: a release and a press with the same time stamp, unflagged.
    EXPECT_EQ(keys.press(kSpace, 1000, false), Change::Pressed);
    EXPECT_EQ(keys.press(kSpace, 1000, false), Change::None); // the same press delivered again
    for (std::uint64_t at = 1660; at < 2000; at += 40) {
        EXPECT_EQ(keys.release(kSpace, at, false), Change::Released);
        EXPECT_EQ(keys.press(kSpace, at, false), Change::None);
        EXPECT_TRUE(keys.isDown(kSpace));
    }
    // Flagged by Qt, or a press without a release (detectable repeat).
    EXPECT_EQ(keys.release(kSpace, 2040, true), Change::None);
    EXPECT_EQ(keys.press(kSpace, 2080, false), Change::None);
    // A screen reader's copy of a repeat's release, without time stamp, while the keyboard holds the key.
    EXPECT_EQ(keys.release(kSpace, 0, false, true), Change::None);
    EXPECT_EQ(keys.release(kSpace, 2100, false), Change::Released);
    EXPECT_FALSE(keys.isDown(kSpace));

    // A new press a moment later counts; so do presses whose time is unknown.
    EXPECT_EQ(keys.press(kSpace, 2101, false), Change::Pressed);
    EXPECT_EQ(keys.release(kSpace, 0, false), Change::Released);
    EXPECT_EQ(keys.press(kSpace, 0, false), Change::Pressed);
    // Another program took the keyboard: the release will not be seen.
    keys.releaseAll();
    EXPECT_FALSE(keys.isDown(kSpace));
    EXPECT_EQ(keys.press(kSpace, 3000, false), Change::Pressed);
}

} // namespace
