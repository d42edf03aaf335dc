#pragma once

#include "evaluation/diagram_kind.h"
#include "records/calendar_time.h"

#include <cstdint>

class TrainingType;

// The evaluation written plainly as one scan per measurement, the way the
// values are defined; the fast statistics must agree with it.
class ReferenceScans {
public:
    ReferenceScans(const TrainingType& type, CalendarTime filter);

    std::int64_t maximum(int n) const;
    std::int64_t average(int n) const;
    std::int64_t median(int n) const;
    std::int64_t sikkhati(int n) const;
    std::int64_t value(DiagramKind kind, int n) const;
    std::int64_t movingAverage(DiagramKind kind, int n) const;

private:
    template <typename Visit>
    void scan(int n, Visit visit) const;
    bool qualifies(std::int64_t length, std::int32_t uddhacca) const;

    const TrainingType& m_type;
    std::int64_t m_filter;
};
