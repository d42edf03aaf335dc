#include "evaluation/practice_summary.h"

#include "records/training_type.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr std::int64_t kThursdayOffset = 3; // 1970-01-01 was a Thursday

// Days from 1970-01-01 in the proleptic Gregorian calendar, valid for all dates
// (the era arithmetic keeps divisions non-negative).
std::int64_t daysFromCivil(int year, int month, int day)
{
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// 1 January of the year 0, which no calendar date of the records reaches.
constexpr std::int64_t kDayOutsideTheCalendar = -719528;

// The local day a sitting belongs to, cached over the span of that day: the
// records mostly come in time order, so the C library is asked once a day.
class DayCache {
public:
    std::int64_t dayOf(CalendarTime time)
    {
        if (time >= m_start && time < m_end)
            return m_day;
        // A time on no calendar day, as a damaged document may hold, counts on a day shown as "?".
        const std::optional<std::tm> found = calendarFields(time);
        if (!found)
            return kDayOutsideTheCalendar;
        const std::tm& fields = *found;
        m_day = daysFromCivil(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday);
        m_start = makeLocalTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, 0, 0, 0);
        m_end = makeLocalTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday + 1, 0, 0, 0);
        if (time < m_start || time >= m_end) // a day whose midnight was skipped: no caching
            m_end = m_start;
        return m_day;
    }

private:
    std::int64_t m_day = 0;
    CalendarTime m_start = 0;
    CalendarTime m_end = 0;
};

// Days sorted by day number, each day once.
void mergeDays(std::vector<DaySummary>& days)
{
    if (!std::is_sorted(days.begin(), days.end(),
                        [](const DaySummary& a, const DaySummary& b) { return a.dayNumber < b.dayNumber; }))
        std::stable_sort(days.begin(), days.end(),
                         [](const DaySummary& a, const DaySummary& b) { return a.dayNumber < b.dayNumber; });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < days.size(); ++i) {
        if (kept > 0 && days[kept - 1].dayNumber == days[i].dayNumber)
            days[kept - 1].totals.add(days[i].totals);
        else
            days[kept++] = days[i];
    }
    days.resize(kept);
}

std::int64_t mondayOf(std::int64_t dayNumber)
{
    return dayNumber - CalendarDay::fromDayNumber(dayNumber).weekday();
}

} // namespace

int PracticeTotals::uddhaccaPercent() const
{
    if (intervalSeconds <= 0)
        return 0;
    return static_cast<int>((uddhaccaSeconds * 200 + intervalSeconds) / (2 * intervalSeconds));
}

void PracticeTotals::add(const PracticeTotals& other)
{
    sittings += other.sittings;
    intervals += other.intervals;
    intervalSeconds += other.intervalSeconds;
    uddhaccaSeconds += other.uddhaccaSeconds;
    longestCalmSeconds = std::max(longestCalmSeconds, other.longestCalmSeconds);
}

CalendarDay CalendarDay::fromDayNumber(std::int64_t dayNumber)
{
    const std::int64_t z = dayNumber + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    CalendarDay result;
    result.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    result.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    result.year = static_cast<int>(yearOfEra + era * 400 + (result.month <= 2 ? 1 : 0));
    return result;
}

std::int64_t CalendarDay::dayNumber() const
{
    return daysFromCivil(year, month, day);
}

int CalendarDay::weekday() const
{
    const std::int64_t shifted = (dayNumber() + kThursdayOffset) % 7;
    return static_cast<int>(shifted < 0 ? shifted + 7 : shifted);
}

WeekSummary calendarWeekOf(std::int64_t dayNumber)
{
    const std::int64_t monday = mondayOf(dayNumber);
    // The week belongs to the year of its Thursday.
    const std::int64_t thursday = monday + 3;
    const int weekYear = CalendarDay::fromDayNumber(thursday).year;
    const std::int64_t yearStart = CalendarDay{weekYear, 1, 1}.dayNumber();
    return WeekSummary{weekYear, static_cast<int>((thursday - yearStart) / 7 + 1), monday, {}};
}

std::int64_t localDayNumber(CalendarTime time)
{
    const std::tm fields = breakLocalTime(time);
    return daysFromCivil(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday);
}

PracticeSummary::PracticeSummary(const TrainingType& type, CalendarTime today) : m_today(localDayNumber(today))
{
    DayCache dayCache;
    DaySummary* current = nullptr;
    bool first = true;
    std::uint16_t measurement = 0;
    for (const IntervalRecord& record : type.m_records) {
        if (first || record.m_measurement != measurement) {
            first = false;
            measurement = record.m_measurement;
            const std::int64_t day = dayCache.dayOf(record.m_timeStart);
            if (!current || current->dayNumber != day) {
                m_days.push_back(DaySummary{day, {}});
                current = &m_days.back();
            }
            ++current->totals.sittings;
        }
        PracticeTotals& totals = current->totals;
        const std::int64_t length = record.length();
        ++totals.intervals;
        totals.intervalSeconds += length;
        if (record.m_uddhacca)
            totals.uddhaccaSeconds += length;
        else
            totals.longestCalmSeconds = std::max(totals.longestCalmSeconds, length);
    }
    mergeDays(m_days);

    for (const DaySummary& day : m_days) {
        const std::int64_t monday = mondayOf(day.dayNumber);
        if (m_weeks.empty() || m_weeks.back().mondayDayNumber != monday)
            m_weeks.push_back(calendarWeekOf(day.dayNumber));
        m_weeks.back().totals.add(day.totals);
        if (day.dayNumber <= m_today && day.dayNumber > m_today - 7)
            m_lastSeven.add(day.totals);
        if (day.dayNumber <= m_today && day.dayNumber > m_today - 30)
            m_lastThirty.add(day.totals);
    }

    auto day = std::upper_bound(m_days.begin(), m_days.end(), m_today,
                                [](std::int64_t value, const DaySummary& d) { return value < d.dayNumber; });
    std::int64_t expected = m_today;
    if (day != m_days.begin() && std::prev(day)->dayNumber != m_today)
        expected = m_today - 1;
    while (day != m_days.begin() && std::prev(day)->dayNumber == expected) {
        ++m_streak;
        --expected;
        --day;
    }
}

std::string formatDayNumber(std::int64_t dayNumber)
{
    const CalendarDay day = CalendarDay::fromDayNumber(dayNumber);
    // As in the interval list, a day without a calendar date of years 1 to 9999.
    if (day.year < 1 || day.year > 9999)
        return "?";
    char text[32];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", day.day, day.month, day.year);
    return text;
}

std::string formatWeek(const WeekSummary& week)
{
    const std::string monday = formatDayNumber(week.mondayDayNumber);
    if (monday == "?")
        return monday;
    char text[48];
    std::snprintf(text, sizeof text, "%d-W%02d (from %s)", week.weekYear, week.week, monday.c_str());
    return text;
}

std::string formatTotalTime(std::int64_t seconds)
{
    const bool negative = seconds < 0;
    const std::int64_t value = negative ? -seconds : seconds;
    char text[40];
    std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld", negative ? "-" : "", static_cast<long long>(value / 3600),
                  static_cast<long long>(value / 60 % 60), static_cast<long long>(value % 60));
    return text;
}
