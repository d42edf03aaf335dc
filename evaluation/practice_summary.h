#pragma once

#include "records/calendar_time.h"

#include <cstdint>
#include <string>
#include <vector>

class TrainingType;

// What was practised in some span of days.
struct PracticeTotals {
    int sittings = 0;
    int intervals = 0;
    std::int64_t intervalSeconds = 0;
    std::int64_t uddhaccaSeconds = 0;
    // The longest interval not ended by uddhacca.
    std::int64_t longestCalmSeconds = 0;

    // The share of the interval time spent in intervals ended by uddhacca,
    // whole percent with halves going up; 0 without interval time.
    int uddhaccaPercent() const;
    void add(const PracticeTotals& other);
};

// A local calendar date as a day number: days since 1970-01-01.
struct CalendarDay {
    int year = 1970;
    int month = 1;
    int day = 1;

    static CalendarDay fromDayNumber(std::int64_t dayNumber);
    std::int64_t dayNumber() const;
    // Monday 0 to Sunday 6.
    int weekday() const;
};

struct DaySummary {
    std::int64_t dayNumber = 0;
    PracticeTotals totals;
};

// A calendar week from Monday to Sunday, numbered as in ISO 8601: week 1 is
// the week with the year's first Thursday, so a year end may fall inside one.
struct WeekSummary {
    int weekYear = 0;
    int week = 0;
    std::int64_t mondayDayNumber = 0;
    PracticeTotals totals;
};

// The practice of one training type per local calendar day and per week.
// A sitting is one measurement; it and all its intervals belong to the day on
// which its first interval started, so an evening sitting that runs past
// midnight stays on its evening.
class PracticeSummary {
public:
    // today: the calendar time that counts as now for the streak and the
    // totals of the last days.
    PracticeSummary(const TrainingType& type, CalendarTime today);

    // Days with at least one sitting, oldest first.
    const std::vector<DaySummary>& days() const { return m_days; }
    // Weeks with at least one sitting, oldest first.
    const std::vector<WeekSummary>& weeks() const { return m_weeks; }
    // Consecutive days with a sitting up to today; while today has none yet,
    // the streak that ended yesterday still stands.
    int currentStreak() const { return m_streak; }
    const PracticeTotals& lastSevenDays() const { return m_lastSeven; }
    const PracticeTotals& lastThirtyDays() const { return m_lastThirty; }
    std::int64_t todayDayNumber() const { return m_today; }

private:
    std::vector<DaySummary> m_days;
    std::vector<WeekSummary> m_weeks;
    int m_streak = 0;
    PracticeTotals m_lastSeven;
    PracticeTotals m_lastThirty;
    std::int64_t m_today = 0;
};

// The week that holds the day, without totals.
WeekSummary calendarWeekOf(std::int64_t dayNumber);
// The local day number of a calendar time.
std::int64_t localDayNumber(CalendarTime time);
// "dd.mm.yyyy"
std::string formatDayNumber(std::int64_t dayNumber);
// "2026-W49 (from 30.11.2026)"; "?" for a week without a calendar date.
std::string formatWeek(const WeekSummary& week);
// A total time as "H:MM:SS"; hours grow past a day.
std::string formatTotalTime(std::int64_t seconds);
