#pragma once

// The keys the measuring timer polls at every tick.
enum class WatchedKey { Escape, F11, F12 };

// Whether a watched key went down for the program.
class KeyState {
public:
    virtual ~KeyState() = default;
    // True when the key is held down now or was pressed since the last call for it;
    // a tap shorter than the polling step is seen once.
    virtual bool takeKeyDown(WatchedKey key) = 0;
    // Forgets presses made before now; keys still held stay held.
    virtual void forgetPresses() = 0;
};
