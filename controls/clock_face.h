#pragma once

#include <QPoint>
#include <QSize>

#include <array>
#include <cstdint>

// What the interval clock shows, without a window: the six digits of a span as
// hours within a day, minutes and seconds, and which indicator picture is due.
// The widget only composes pictures at the positions given here.
class ClockFace {
public:
    enum class Indicator { NotRunning, RunningFirst, RunningSecond };

    // Hour tens, hour units, minute tens, minute units, second tens, second units.
    using Digits = std::array<int, 6>;

    static constexpr QSize kLargeDigitSize{24, 34};
    static constexpr QSize kSmallDigitSize{12, 17};
    static constexpr QPoint kIndicatorPosition{5, 5};
    // The four large digits first, then the two small ones.
    static constexpr std::array<QPoint, 6> kDigitPositions{QPoint{5, 33},  QPoint{32, 33},  QPoint{65, 33},
                                                           QPoint{92, 33}, QPoint{120, 50}, QPoint{134, 50}};
    // The indicator alternates between its running pictures every third update,
    // about every 600 ms at the form's 200 ms tick.
    static constexpr int kUpdatesPerBlink = 3;

    static bool isLargeDigit(int index) { return index < 4; }
    static Digits digitsOf(std::int64_t seconds);

    // Lighting or darkening the face starts it again from 00:00:00.
    void setLit(bool lit);
    // A new running state starts the blink count anew; the digits stay, so the
    // length of an interval that has just ended remains readable.
    void setRunning(bool running);
    void setTime(std::int64_t seconds);

    bool isLit() const { return m_lit; }
    bool isRunning() const { return m_running; }
    std::int64_t span() const { return m_span; }
    const Digits& digits() const { return m_digits; }
    Indicator indicator() const;

private:
    bool m_lit = false;
    bool m_running = false;
    bool m_blinkPhase = false;
    int m_updateCount = 0; // updates since the running state was set, modulo kUpdatesPerBlink
    std::int64_t m_span = 0;
    Digits m_digits{};
};
