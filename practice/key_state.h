#pragma once

// The keys the measuring timer polls at every tick.
enum class WatchedKey { Escape, F11, F12 };

// Whether a watched key is held down at this moment.
class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool isKeyHeld(WatchedKey key) const = 0;
};
