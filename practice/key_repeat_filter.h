#pragma once

#include <cstdint>
#include <map>

// Tells the presses and releases of a key on the keyboard from the key
// repeat of the window system and from the same event delivered again. Qt
// flags most repeats, but not all: an X server without detectable repeat
// sends a held key's repeat as a release and a press with the same time stamp,
// and Qt flags the pair only when the press has arrived before the release
// is handled; with detectable repeat the repeat is a press without a release.
// Where a screen reader listens, Qt hands the key events to it first and
// delivers copies afterwards, without their time stamps and after the next
// press: a release then counts only when the keyboard says the key is up.
class KeyRepeatFilter {
public:
    enum class Change { None, Pressed, Released };

    // A key event; a time stamp of 0 is unknown. Pressed only for a key that
    // went down on the keyboard, Released only for one that came up:
    // stillDown when the keyboard says the key is down after all.
    Change press(int key, std::uint64_t timestamp, bool autoRepeat);
    Change release(int key, std::uint64_t timestamp, bool autoRepeat, bool stillDown = false);
    bool isDown(int key) const;
    // The keys' releases can no longer be seen (another program has the keyboard).
    void releaseAll();

private:
    struct KeyState {
        bool down = false;
        std::uint64_t releasedAt = 0;
    };
    std::map<int, KeyState> m_keys;
};
