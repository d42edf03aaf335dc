#pragma once

#include "calendar_time.h"
#include "diagram_kind.h"

#include <cstdint>

class TrainingType;

// The evaluation written plainly as one scan per measurement, the way the
// values are defined; the fast statistics must agree with it.
class ReferenceScans {
public:
    ReferenceScans(const TrainingType& type, CalendarTime filter);

    std::int64_t GetMaximum(int n) const;
    std::int64_t GetAverage(int n) const;
    std::int64_t GetMedian(int n) const;
    std::int64_t GetSikkhati(int n) const;
    std::int64_t GetValue(DiagramKind kind, int n) const;
    std::int64_t GetMovingAverage(DiagramKind kind, int n) const;

private:
    template <typename Visit>
    void Scan(int n, Visit visit) const;
    bool Qualifies(std::int64_t length, std::int32_t uddhacca) const;

    const TrainingType& m_type;
    std::int64_t m_nFilter;
};
