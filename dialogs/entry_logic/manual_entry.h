#pragma once

#include "records/interval_record.h"
#include "records/training_type.h"

#include <cstdint>
#include <string>

// The number must be the highest measurement number of the training type or
// one above it (no 16-bit wrap: above 65535 nothing is valid).
bool isValidMeasurementNumber(const TrainingType& type, std::uint16_t number);
// False when the closed range [start, end] meets any recorded interval,
// touching ones included, whatever their measurement or date.
bool isFreeTimeRange(const TrainingType& type, CalendarTime start, CalendarTime end);
// One above the highest run number of the measurement, 1 for a new one;
// 0 when run 65535 is taken and no run number is left.
std::uint16_t nextRunNumber(const TrainingType& type, std::uint16_t number);

// The measurement number typed into the entry field: read like atoi, low 16 bits.
std::uint16_t parseMeasurementNumber(const std::string& text);

struct IntervalProposal {
    CalendarTime timeStart;
    CalendarTime timeEnd;
};
// The interval offered after one was inserted: it begins 20 seconds after the
// inserted one ended and lasts 20 seconds less than it, at least 20 seconds.
IntervalProposal proposeNextInterval(CalendarTime insertedStart, CalendarTime insertedEnd);

// Why a typed interval is refused; the checks run in this order.
enum class ManualEntryRefusal {
    None,
    EndNotAfterStart,
    ZeroNumber,
    NumberNotHighest,
    Overlap,
    RunTooLarge,
};
const char* refusalMessage(ManualEntryRefusal refusal);

struct ManualEntryOutcome {
    ManualEntryRefusal refusal = ManualEntryRefusal::None;
    IntervalRecord entry; // the record to append when nothing was refused
};
// Runs the checks of "Insert interval" against the training type and, when
// they pass, makes the record with the next run number of its measurement.
ManualEntryOutcome checkManualInterval(const TrainingType& type, const std::string& numberText, CalendarTime start,
                                       CalendarTime end, bool uddhacca);
