#include "evaluation/practice_bars.h"

#include <algorithm>

std::string PracticeBar::toolTip() const
{
    std::string tip = title + "\n" + std::to_string(totals.sittings) +
                      (totals.sittings == 1 ? " sitting, " : " sittings, ") + std::to_string(totals.intervals) +
                      (totals.intervals == 1 ? " interval" : " intervals") + "\nInterval time " +
                      formatTotalTime(totals.intervalSeconds);
    if (totals.intervalSeconds > 0)
        tip += "\nUddhacca " + formatTotalTime(totals.uddhaccaSeconds) + " (" +
               std::to_string(totals.uddhaccaPercent()) + " %)";
    return tip;
}

PracticeBars::PracticeBars(const PracticeSummary& summary)
{
    const std::int64_t today = summary.todayDayNumber();
    const auto& days = summary.days();
    for (std::int64_t day = today - kDays + 1; day <= today; ++day) {
        PracticeBar bar;
        bar.firstDay = day;
        bar.label = std::to_string(CalendarDay::fromDayNumber(day).day);
        bar.title = formatDayNumber(day);
        const auto found = std::lower_bound(
            days.begin(), days.end(), day, [](const DaySummary& d, std::int64_t value) { return d.dayNumber < value; });
        if (found != days.end() && found->dayNumber == day)
            bar.totals = found->totals;
        m_days.push_back(std::move(bar));
    }

    const auto& weeks = summary.weeks();
    const std::int64_t thisMonday = calendarWeekOf(today).mondayDayNumber;
    for (std::int64_t monday = thisMonday - 7 * (kWeeks - 1); monday <= thisMonday; monday += 7) {
        const WeekSummary week = calendarWeekOf(monday);
        PracticeBar bar;
        bar.firstDay = monday;
        bar.label = std::to_string(week.week);
        bar.title = formatWeek(week);
        const auto found =
            std::lower_bound(weeks.begin(), weeks.end(), monday,
                             [](const WeekSummary& w, std::int64_t value) { return w.mondayDayNumber < value; });
        if (found != weeks.end() && found->mondayDayNumber == monday)
            bar.totals = found->totals;
        m_weeks.push_back(std::move(bar));
    }
}

int PracticeBars::daysMeetingGoal(int goalMinutes) const
{
    if (goalMinutes <= 0)
        return 0;
    return static_cast<int>(std::count_if(m_days.begin(), m_days.end(), [goalMinutes](const PracticeBar& bar) {
        return bar.totals.intervalSeconds >= std::int64_t{goalMinutes} * 60;
    }));
}
