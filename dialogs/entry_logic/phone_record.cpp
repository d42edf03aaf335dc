#include "phone_record.h"

#include "decimal_text.h"

namespace {

constexpr std::int32_t kDstShift = 3600;

std::uint32_t ReadUnsigned(std::string_view text)
{
    return static_cast<std::uint32_t>(ReadDecimal(text));
}

} // namespace

std::optional<PhoneRecord> ParsePhoneRecord(const std::string& text)
{
    // The separators are ASCII, which never occurs inside a multibyte
    // character of UTF-8, so a byte search is safe.
    const std::size_t separator = text.find_first_of("-xX");
    if (separator == std::string::npos)
        return std::nullopt;
    const std::string_view whole(text);
    PhoneRecord record;
    record.bUddhacca = text.find_first_of("xX") != std::string::npos;
    record.dwStart = ReadUnsigned(whole.substr(0, separator));
    record.dwEnd = ReadUnsigned(whole.substr(separator + 1));
    return record;
}

std::int32_t DstOffsetAt(CalendarTime moment)
{
    return BreakLocalTime(moment).tm_isdst > 0 ? kDstShift : 0;
}

CPhoneRecordRun::CPhoneRecordRun(std::int32_t measurementNo, std::int32_t dstOffset)
    : m_nMeasurementNo(measurementNo), m_nDstOffset(dstOffset)
{
}

std::string CPhoneRecordRun::Caption() const
{
    return "Mess-Nr. " + std::to_string(m_nMeasurementNo) + ", Lauf-Nr. " + std::to_string(m_nStored + 1) + ":";
}

std::string CPhoneRecordRun::TooLargeMessage() const
{
    return "Error: The measurement number " + std::to_string(m_nMeasurementNo) +
           " is higher than 65535, the highest measurement number. The record was not stored.";
}

CPhoneRecordRun::Outcome CPhoneRecordRun::SaveRecord(const std::string& text, TrainingType* type)
{
    Outcome outcome;
    if (type && (m_nMeasurementNo < 0 || m_nMeasurementNo > kHighestMeasurementNo)) {
        outcome.result = Result::MeasurementTooLarge;
        return outcome;
    }
    const std::optional<PhoneRecord> record = ParsePhoneRecord(text);
    if (!record)
        return outcome;
    if (m_dwLastEnd != kNoRecordYet && record->dwStart <= m_dwLastEnd)
        return outcome;
    if (record->dwStart == 0 || record->dwEnd == 0 || record->dwEnd <= record->dwStart)
        return outcome;

    m_dwLastEnd = record->dwEnd;
    if (type) {
        // Widened before the shift, so that an end close to 2^32 cannot wrap
        // round to a time before its start.
        CDataEntry entry;
        entry.m_timeStart = CalendarTime{record->dwStart} + m_nDstOffset;
        entry.m_timeEnd = CalendarTime{record->dwEnd} + m_nDstOffset;
        entry.m_bUddhacca = record->bUddhacca ? 1 : 0;
        entry.m_nMeasurement = static_cast<std::uint16_t>(m_nMeasurementNo);
        entry.m_nRun = static_cast<std::uint16_t>(m_nStored + 1);
        type->m_aEntries.Add(entry);
        outcome.appended = entry;
    }
    ++m_nStored;
    outcome.result = Result::Stored;
    return outcome;
}
