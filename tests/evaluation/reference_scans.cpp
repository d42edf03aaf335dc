#include "reference_scans.h"

#include "training_type.h"

#include <cmath>
#include <list>
#include <vector>

ReferenceScans::ReferenceScans(const TrainingType& type, CalendarTime filter)
    : m_type(type), m_nFilter(DurationSeconds(filter))
{
}

template <typename Visit>
void ReferenceScans::Scan(int n, Visit visit) const
{
    for (const CDataEntry& e : m_type.m_aEntries) {
        if (e.m_nMeasurement < n)
            continue;
        if (e.m_nMeasurement > n)
            break;
        visit(e);
    }
}

bool ReferenceScans::Qualifies(std::int64_t length, std::int32_t uddhacca) const
{
    return uddhacca == 0 && (m_nFilter == 0 || length >= m_nFilter);
}

std::int64_t ReferenceScans::GetMaximum(int n) const
{
    std::int64_t result = 0;
    Scan(n, [&](const CDataEntry& e) {
        if (e.m_bUddhacca == 0 && e.Length() > result)
            result = e.Length();
    });
    if (m_nFilter != 0 && result < m_nFilter)
        result = 0;
    return result;
}

std::int64_t ReferenceScans::GetAverage(int n) const
{
    std::int64_t sum = 0;
    std::int64_t count = 0;
    Scan(n, [&](const CDataEntry& e) {
        if (Qualifies(e.Length(), e.m_bUddhacca)) {
            sum += e.Length();
            ++count;
        }
    });
    if (count == 0)
        return 0;
    return static_cast<std::int64_t>(static_cast<double>(sum) / static_cast<double>(count) + 0.5);
}

std::int64_t ReferenceScans::GetMedian(int n) const
{
    std::list<std::int64_t> descending;
    Scan(n, [&](const CDataEntry& e) {
        if (!Qualifies(e.Length(), e.m_bUddhacca))
            return;
        auto at = descending.begin();
        while (at != descending.end() && !(*at < e.Length()))
            ++at;
        descending.insert(at, e.Length());
    });
    if (descending.empty())
        return 0;
    const std::size_t k = static_cast<std::size_t>(static_cast<double>(descending.size()) * 0.5 + 0.5);
    auto at = descending.begin();
    std::advance(at, k - 1);
    return *at;
}

std::int64_t ReferenceScans::GetSikkhati(int n) const
{
    std::int64_t total = 0;
    std::int64_t calm = 0;
    Scan(n, [&](const CDataEntry& e) {
        total += e.Length();
        if (e.m_bUddhacca == 0)
            calm += e.Length();
    });
    double divisor = static_cast<double>(total);
    if (std::fabs(divisor) <= 0.00000025)
        divisor = 1;
    const auto percent = static_cast<std::int64_t>(static_cast<double>(calm) * 100 / divisor + 0.5);
    return percent * 60;
}

std::int64_t ReferenceScans::GetValue(DiagramKind kind, int n) const
{
    switch (kind) {
    case Maximum: return GetMaximum(n);
    case Average: return GetAverage(n);
    case Median: return GetMedian(n);
    case Sikkhati: return GetSikkhati(n);
    }
    return 0;
}

std::int64_t ReferenceScans::GetMovingAverage(DiagramKind kind, int n) const
{
    std::int64_t sum = 0;
    for (int m = n - 29; m <= n; ++m)
        if (m >= 0)
            sum += GetValue(kind, m);
    return static_cast<std::int64_t>(static_cast<double>(sum) / 30);
}
