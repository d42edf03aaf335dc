#pragma once

#include "evaluation/diagram_kind.h"
#include "records/calendar_time.h"

#include <cstdint>
#include <optional>
#include <string>

class TrainingType;

// When a measurement was practised: the start of its first record; none when
// the training type has no record of it. Relies on the records standing in
// ascending order of measurement number.
std::optional<CalendarTime> measurementDate(const TrainingType& type, int measurement);

// The tool tip of a diagram point: its measurement, the local date of the
// measurement ("dd.mm.yy" as in the interval list) and the value in the
// axis unit, minutes with one decimal beside the "HH:MM:SS" of the list, or
// whole percent. value: as the diagram plots it (seconds, or percent x 60).
std::string pointToolTip(DiagramKind kind, int measurement, std::optional<CalendarTime> date, std::int64_t value);
