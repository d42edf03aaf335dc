#pragma once

#include "records/interval_record.h"
#include "records/training_type.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// One interval noted on a phone: start and end in seconds since 1970, joined
// by "-", "x" or "X"; an "x" or "X" anywhere marks an uddhacca interval.
struct PhoneRecord {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    bool uddhacca = false;
};
// Splits the text at its first separator and reads both numbers like atoi;
// empty when there is no separator. The numbers are not checked here.
std::optional<PhoneRecord> parsePhoneRecord(const std::string& text);

// 3600 when the local clock is in daylight saving time at that moment, else 0.
// The phone's numbers are shifted by it so that they read as the local time.
std::int32_t dstOffsetAt(CalendarTime moment);

// The records of one new measurement, entered one after another.
class PhoneRecordRun {
public:
    enum class Result {
        Stored,              // accepted (and appended when there is a training type)
        Invalid,             // "Invalid Input"
        MeasurementTooLarge, // the measurement number does not fit 16 bits
        RunTooLarge,         // the run number does not fit 16 bits
        Overlap,             // the interval meets one already recorded
    };
    struct Outcome {
        Result result = Result::Invalid;
        std::optional<IntervalRecord> appended;
    };

    static constexpr std::uint32_t kNoRecordYet = 0xFFFFFFFFu;
    static constexpr std::int32_t kHighestMeasurementNo = 0xFFFF;
    static constexpr std::int32_t kHighestRunNo = 0xFFFF;

    PhoneRecordRun(std::int32_t measurementNo, std::int32_t dstOffset);

    // "Mess-Nr. 12, Lauf-Nr. 3:"
    std::string caption() const;
    // Where an accepted record goes.
    using StoreFn = std::function<void(const IntervalRecord&)>;
    // Checks the record against the previous one of the run and, when given,
    // against the intervals already recorded in the type it goes to, and hands
    // it to store, if there is one; a refused record changes nothing.
    Outcome saveRecord(const std::string& text, const StoreFn& store, const TrainingType* recorded = nullptr);
    // The message for a measurement number that does not fit.
    std::string tooLargeMessage() const;
    // The message for a run number that does not fit.
    std::string runTooLargeMessage() const;

    std::int32_t m_measurementNo;
    std::int32_t m_dstOffset;
    std::uint32_t m_lastEnd = kNoRecordYet;
    std::int32_t m_stored = 0;
};
