#include "controls/clock_face.h"

ClockFace::Digits ClockFace::digitsOf(std::int64_t seconds)
{
    // A span below zero can only come from a clock set back; it shows as nothing elapsed.
    if (seconds < 0)
        seconds = 0;
    const auto hours = static_cast<int>(seconds / 3600 % 24);
    const auto minutes = static_cast<int>(seconds / 60 % 60);
    const auto secs = static_cast<int>(seconds % 60);
    return {hours / 10, hours % 10, minutes / 10, minutes % 10, secs / 10, secs % 10};
}

void ClockFace::setLit(bool lit)
{
    m_lit = lit;
    m_span = 0;
    m_digits = {};
}

void ClockFace::setRunning(bool running)
{
    m_running = running;
    m_updateCount = 0;
}

void ClockFace::setTime(std::int64_t seconds)
{
    if (m_updateCount == 0)
        m_blinkPhase = !m_blinkPhase;
    m_updateCount = (m_updateCount + 1) % kUpdatesPerBlink;
    m_span = seconds;
    m_digits = digitsOf(seconds);
}

ClockFace::Indicator ClockFace::indicator() const
{
    if (!m_running)
        return Indicator::NotRunning;
    return m_blinkPhase ? Indicator::RunningFirst : Indicator::RunningSecond;
}
