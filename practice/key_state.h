#pragma once

// The keys the measuring timer polls at every tick.
enum class WatchedKey { Escape, F11, F12 };

// Whether a watched key is held down at this moment.
class IKeyState {
public:
    virtual ~IKeyState() = default;
    virtual bool IsKeyHeld(WatchedKey key) const = 0;
};
