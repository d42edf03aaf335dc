#pragma once

#include "clock.h"
#include "key_state.h"
#include "measuring_mode.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// A clock the test sets and advances.
class CTestClock : public IClock {
public:
    CalendarTime Now() const override { return m_now; }
    void Advance(TimeSpan seconds) { m_now += seconds; }
    CalendarTime m_now = 1'700'000'000;
};

// Keys the test holds down and lets go.
class CTestKeyState : public IKeyState {
public:
    bool IsKeyHeld(WatchedKey key) const override { return m_held.count(key) != 0; }
    void Hold(WatchedKey key) { m_held.insert(key); }
    void Release(WatchedKey key) { m_held.erase(key); }
    std::set<WatchedKey> m_held;
};

// A played sound event with its mode.
using PlayedSound = std::pair<SoundEvent, int>;
