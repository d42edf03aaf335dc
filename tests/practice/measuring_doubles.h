#pragma once

#include "practice/clock.h"
#include "practice/key_state.h"
#include "practice/measuring_mode.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// A clock the test sets and advances; jumpWallClock sets the wall clock alone.
class TestClock : public Clock {
public:
    CalendarTime now() const override { return m_now; }
    std::int64_t steadySeconds() const override { return m_steady; }
    void advance(TimeSpan seconds)
    {
        m_now += seconds;
        m_steady += seconds;
    }
    void jumpWallClock(TimeSpan seconds) { m_now += seconds; }
    CalendarTime m_now = 1'700'000'000;
    std::int64_t m_steady = 5'000;
};

// Keys the test holds down and lets go.
class TestKeyState : public KeyState {
public:
    bool takeKeyDown(WatchedKey key) override { return m_held.count(key) != 0; }
    void forgetPresses() override { }
    void hold(WatchedKey key) { m_held.insert(key); }
    void release(WatchedKey key) { m_held.erase(key); }
    std::set<WatchedKey> m_held;
};

// A played sound event with its mode.
using PlayedSound = std::pair<SoundEvent, PlayMode>;
