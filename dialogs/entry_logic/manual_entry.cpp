#include "dialogs/entry_logic/manual_entry.h"

#include "dialogs/entry_logic/decimal_text.h"

#include <algorithm>

namespace {

constexpr TimeSpan kGapToNext = 20;
constexpr TimeSpan kShortestProposal = 20;

} // namespace

bool isValidMeasurementNumber(const TrainingType& type, std::uint16_t number)
{
    std::uint16_t highest = 0;
    for (const IntervalRecord& entry : type.m_records)
        highest = std::max(highest, entry.m_measurement);
    const int next = highest + 1;
    return highest <= number && number <= next;
}

bool isFreeTimeRange(const TrainingType& type, CalendarTime start, CalendarTime end)
{
    return std::none_of(type.m_records.begin(), type.m_records.end(), [&](const IntervalRecord& recorded) {
        return start <= recorded.m_timeEnd && end >= recorded.m_timeStart;
    });
}

std::uint16_t nextRunNumber(const TrainingType& type, std::uint16_t number)
{
    std::uint16_t highest = 0;
    for (const IntervalRecord& entry : type.m_records)
        if (entry.m_measurement == number)
            highest = std::max(highest, entry.m_run);
    return static_cast<std::uint16_t>(highest + 1);
}

std::uint16_t parseMeasurementNumber(const std::string& text)
{
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(readDecimal(text)) & 0xFFFFu);
}

IntervalProposal proposeNextInterval(CalendarTime insertedStart, CalendarTime insertedEnd)
{
    TimeSpan length = insertedEnd - insertedStart;
    if (length <= kShortestProposal)
        length = kShortestProposal + kGapToNext;
    return {insertedEnd + kGapToNext, insertedEnd + length};
}

const char* refusalMessage(ManualEntryRefusal refusal)
{
    switch (refusal) {
    case ManualEntryRefusal::None: break;
    case ManualEntryRefusal::EndNotAfterStart: return "Error: End time <= start time";
    case ManualEntryRefusal::ZeroNumber: return "Error: Measurement number must not be 0.";
    case ManualEntryRefusal::NumberNotHighest:
        return "Error: The measurement number must either be the highest measurement number or the highest "
               "measurement number + 1.";
    case ManualEntryRefusal::Overlap: return "Error: Invalid time range. Time ranges overlap";
    case ManualEntryRefusal::RunTooLarge:
        return "Error: The run number 65536 is higher than 65535, the highest run number. The interval was not "
               "stored.";
    }
    return "";
}

ManualEntryOutcome checkManualInterval(const TrainingType& type, const std::string& numberText, CalendarTime start,
                                       CalendarTime end, bool uddhacca)
{
    ManualEntryOutcome outcome;
    if (end <= start) {
        outcome.refusal = ManualEntryRefusal::EndNotAfterStart;
        return outcome;
    }
    const std::uint16_t number = parseMeasurementNumber(numberText);
    if (number == 0)
        outcome.refusal = ManualEntryRefusal::ZeroNumber;
    else if (!isValidMeasurementNumber(type, number))
        outcome.refusal = ManualEntryRefusal::NumberNotHighest;
    else if (!isFreeTimeRange(type, start, end))
        outcome.refusal = ManualEntryRefusal::Overlap;
    else if (nextRunNumber(type, number) == 0)
        outcome.refusal = ManualEntryRefusal::RunTooLarge;
    if (outcome.refusal != ManualEntryRefusal::None)
        return outcome;

    outcome.entry.m_timeStart = start;
    outcome.entry.m_timeEnd = end;
    outcome.entry.m_uddhacca = uddhacca ? 1 : 0;
    outcome.entry.m_measurement = number;
    outcome.entry.m_run = nextRunNumber(type, number);
    return outcome;
}
