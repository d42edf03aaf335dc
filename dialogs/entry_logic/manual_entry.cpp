#include "manual_entry.h"

#include "decimal_text.h"

#include <algorithm>

namespace {

constexpr TimeSpan kGapToNext = 20;
constexpr TimeSpan kShortestProposal = 20;

} // namespace

bool IsValidMeasurementNumber(const TrainingType& type, std::uint16_t number)
{
    std::uint16_t highest = 0;
    for (const CDataEntry& entry : type.m_aEntries)
        highest = std::max(highest, entry.m_nMeasurement);
    const int next = highest + 1;
    return highest <= number && number <= next;
}

bool IsFreeTimeRange(const TrainingType& type, CalendarTime start, CalendarTime end)
{
    return std::none_of(type.m_aEntries.begin(), type.m_aEntries.end(), [&](const CDataEntry& recorded) {
        return start <= recorded.m_timeEnd && end >= recorded.m_timeStart;
    });
}

std::uint16_t GetNextRunNumber(const TrainingType& type, std::uint16_t number)
{
    std::uint16_t highest = 0;
    for (const CDataEntry& entry : type.m_aEntries)
        if (entry.m_nMeasurement == number)
            highest = std::max(highest, entry.m_nRun);
    return static_cast<std::uint16_t>(highest + 1);
}

std::uint16_t ParseMeasurementNumber(const std::string& text)
{
    return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ReadDecimal(text)) & 0xFFFFu);
}

IntervalProposal ProposeNextInterval(CalendarTime insertedStart, CalendarTime insertedEnd)
{
    TimeSpan length = insertedEnd - insertedStart;
    if (length <= kShortestProposal)
        length = kShortestProposal + kGapToNext;
    return {insertedEnd + kGapToNext, insertedEnd + length};
}

const char* RefusalMessage(ManualEntryRefusal refusal)
{
    switch (refusal) {
    case ManualEntryRefusal::None: break;
    case ManualEntryRefusal::EndNotAfterStart: return "Error: End time <= start time";
    case ManualEntryRefusal::ZeroNumber: return "Error: Measurement number must not be 0.";
    case ManualEntryRefusal::NumberNotHighest:
        return "Error: The measurement number must either be the highest measurement number or the highest "
               "measurement number + 1.";
    case ManualEntryRefusal::Overlap: return "Error: Invalid time range. Time ranges overlap";
    }
    return "";
}

ManualEntryOutcome CheckManualInterval(const TrainingType& type, const std::string& numberText,
                                       CalendarTime start, CalendarTime end, bool uddhacca)
{
    ManualEntryOutcome outcome;
    if (end <= start) {
        outcome.refusal = ManualEntryRefusal::EndNotAfterStart;
        return outcome;
    }
    const std::uint16_t number = ParseMeasurementNumber(numberText);
    if (number == 0)
        outcome.refusal = ManualEntryRefusal::ZeroNumber;
    else if (!IsValidMeasurementNumber(type, number))
        outcome.refusal = ManualEntryRefusal::NumberNotHighest;
    else if (!IsFreeTimeRange(type, start, end))
        outcome.refusal = ManualEntryRefusal::Overlap;
    if (outcome.refusal != ManualEntryRefusal::None)
        return outcome;

    outcome.entry.m_timeStart = start;
    outcome.entry.m_timeEnd = end;
    outcome.entry.m_bUddhacca = uddhacca ? 1 : 0;
    outcome.entry.m_nMeasurement = number;
    outcome.entry.m_nRun = GetNextRunNumber(type, number);
    return outcome;
}
