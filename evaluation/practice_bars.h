#pragma once

#include "evaluation/practice_summary.h"

#include <string>
#include <vector>

// One bar of the practice summary's charts: a day or a week, with what was
// practised in it.
struct PracticeBar {
    std::int64_t firstDay = 0; // the day, or the Monday of the week, as a day number
    std::string label;         // under the bar: the day of the month, or the week's number
    std::string title;         // "06.12.2026", or "2026-W49 (from 30.11.2026)"
    PracticeTotals totals;

    // Minutes of interval time, uddhacca intervals included, and of those ended by uddhacca.
    double minutes() const { return static_cast<double>(totals.intervalSeconds) / 60.0; }
    double uddhaccaMinutes() const { return static_cast<double>(totals.uddhaccaSeconds) / 60.0; }
    // The figures for the bar's tool tip, over several lines.
    std::string toolTip() const;
};

// The bars of the summary's charts, oldest first, ending with today and its
// week; days and weeks without practice are there with empty totals.
class PracticeBars {
public:
    static constexpr int kDays = 30;
    static constexpr int kWeeks = 52;

    explicit PracticeBars(const PracticeSummary& summary);

    const std::vector<PracticeBar>& days() const { return m_days; }
    const std::vector<PracticeBar>& weeks() const { return m_weeks; }
    // The days of the last 30 whose interval time reaches the goal.
    int daysMeetingGoal(int goalMinutes) const;

private:
    std::vector<PracticeBar> m_days;
    std::vector<PracticeBar> m_weeks;
};
