#include "practice/key_repeat_filter.h"

KeyRepeatFilter::Change KeyRepeatFilter::press(int key, std::uint64_t timestamp, bool autoRepeat)
{
    KeyState& state = m_keys[key];
    const bool wasDown = state.down;
    state.down = true;
    // No hand lets a key go and presses it again within the same millisecond.
    const bool repeatAfterRelease = timestamp != 0 && state.releasedAt == timestamp;
    return wasDown || autoRepeat || repeatAfterRelease ? Change::None : Change::Pressed;
}

KeyRepeatFilter::Change KeyRepeatFilter::release(int key, std::uint64_t timestamp, bool autoRepeat, bool stillDown)
{
    KeyState& state = m_keys[key];
    if (autoRepeat || stillDown || !state.down)
        return Change::None;
    state = {false, timestamp};
    return Change::Released;
}

bool KeyRepeatFilter::isDown(int key) const
{
    const auto found = m_keys.find(key);
    return found != m_keys.end() && found->second.down;
}

void KeyRepeatFilter::releaseAll()
{
    m_keys.clear();
}
