#include "dialogs/entry_logic/phone_record.h"

#include "dialogs/entry_logic/decimal_text.h"
#include "dialogs/entry_logic/manual_entry.h"

namespace {

constexpr std::int32_t kDstShift = 3600;

std::uint32_t readUnsigned(std::string_view text)
{
    return static_cast<std::uint32_t>(readDecimal(text));
}

} // namespace

std::optional<PhoneRecord> parsePhoneRecord(const std::string& text)
{
    // The separators are ASCII, which never occurs inside a multibyte
    // character of UTF-8, so a byte search is safe.
    const std::size_t separator = text.find_first_of("-xX");
    if (separator == std::string::npos)
        return std::nullopt;
    const std::string_view whole(text);
    PhoneRecord record;
    record.uddhacca = text.find_first_of("xX") != std::string::npos;
    record.start = readUnsigned(whole.substr(0, separator));
    record.end = readUnsigned(whole.substr(separator + 1));
    return record;
}

std::int32_t dstOffsetAt(CalendarTime moment)
{
    return breakLocalTime(moment).tm_isdst > 0 ? kDstShift : 0;
}

PhoneRecordRun::PhoneRecordRun(std::int32_t measurementNo, std::int32_t dstOffset)
    : m_measurementNo(measurementNo), m_dstOffset(dstOffset)
{
}

std::string PhoneRecordRun::caption() const
{
    return "Mess-Nr. " + std::to_string(m_measurementNo) + ", Lauf-Nr. " + std::to_string(m_stored + 1) + ":";
}

std::string PhoneRecordRun::tooLargeMessage() const
{
    return "Error: The measurement number " + std::to_string(m_measurementNo) +
           " is higher than 65535, the highest measurement number. The record was not stored.";
}

std::string PhoneRecordRun::runTooLargeMessage() const
{
    return "Error: The run number " + std::to_string(m_stored + 1) +
           " is higher than 65535, the highest run number. The record was not stored.";
}

PhoneRecordRun::Outcome PhoneRecordRun::saveRecord(const std::string& text, const StoreFn& store,
                                                   const TrainingType* recorded)
{
    Outcome outcome;
    if (store && (m_measurementNo < 0 || m_measurementNo > kHighestMeasurementNo)) {
        outcome.result = Result::MeasurementTooLarge;
        return outcome;
    }
    const std::optional<PhoneRecord> record = parsePhoneRecord(text);
    if (!record)
        return outcome;
    if (m_lastEnd != kNoRecordYet && record->start <= m_lastEnd)
        return outcome;
    if (record->start == 0 || record->end == 0 || record->end <= record->start)
        return outcome;
    // Widened before the shift, so that an end close to 2^32 cannot wrap
    // round to a time before its start.
    const CalendarTime start = CalendarTime{record->start} + m_dstOffset;
    const CalendarTime end = CalendarTime{record->end} + m_dstOffset;
    if (store && m_stored >= kHighestRunNo) {
        outcome.result = Result::RunTooLarge;
        return outcome;
    }
    if (recorded && !isFreeTimeRange(*recorded, start, end)) {
        outcome.result = Result::Overlap;
        return outcome;
    }

    m_lastEnd = record->end;
    if (store) {
        IntervalRecord entry;
        entry.m_timeStart = start;
        entry.m_timeEnd = end;
        entry.m_uddhacca = record->uddhacca ? 1 : 0;
        entry.m_measurement = static_cast<std::uint16_t>(m_measurementNo);
        entry.m_run = static_cast<std::uint16_t>(m_stored + 1);
        store(entry);
        outcome.appended = entry;
    }
    ++m_stored;
    outcome.result = Result::Stored;
    return outcome;
}
