#include "evaluation/point_tool_tip.h"

#include "records/training_type.h"

#include <algorithm>
#include <cstdio>

std::optional<CalendarTime> measurementDate(const TrainingType& type, int measurement)
{
    const auto found = std::lower_bound(
        type.m_records.begin(), type.m_records.end(), measurement,
        [](const IntervalRecord& record, int number) { return static_cast<int>(record.m_measurement) < number; });
    if (found == type.m_records.end() || found->m_measurement != measurement)
        return std::nullopt;
    return found->m_timeStart;
}

std::string pointToolTip(DiagramKind kind, int measurement, std::optional<CalendarTime> date, std::int64_t value)
{
    char dateText[16] = "-";
    if (date) {
        const std::tm fields = breakLocalTime(*date);
        std::strftime(dateText, sizeof dateText, "%d.%m.%y", &fields);
    }
    char valueText[64];
    if (kind == DiagramKind::Sikkhati) {
        std::snprintf(valueText, sizeof valueText, "%lld %%", static_cast<long long>(value / 60));
    } else {
        const long long seconds = static_cast<long long>(value);
        std::snprintf(valueText, sizeof valueText, "%.1f min (%02lld:%02lld:%02lld)", static_cast<double>(value) / 60,
                      seconds / 3600, seconds / 60 % 60, seconds % 60);
    }
    char text[160];
    std::snprintf(text, sizeof text, "Measurement %d\nDate: %s\n%s: %s", measurement, dateText, diagramName(kind),
                  valueText);
    return text;
}
