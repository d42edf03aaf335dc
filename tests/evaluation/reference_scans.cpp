#include "tests/evaluation/reference_scans.h"

#include "records/training_type.h"

#include <cmath>
#include <list>
#include <vector>

ReferenceScans::ReferenceScans(const TrainingType& type, CalendarTime filter)
    : m_type(type), m_filter(durationSeconds(filter))
{
}

template <typename Visit>
void ReferenceScans::scan(int n, Visit visit) const
{
    for (const IntervalRecord& e : m_type.m_records) {
        if (e.m_measurement < n)
            continue;
        if (e.m_measurement > n)
            break;
        visit(e);
    }
}

bool ReferenceScans::qualifies(std::int64_t length, std::int32_t uddhacca) const
{
    return uddhacca == 0 && (m_filter == 0 || length >= m_filter);
}

std::int64_t ReferenceScans::maximum(int n) const
{
    std::int64_t result = 0;
    scan(n, [&](const IntervalRecord& e) {
        if (e.m_uddhacca == 0 && e.length() > result)
            result = e.length();
    });
    if (m_filter != 0 && result < m_filter)
        result = 0;
    return result;
}

std::int64_t ReferenceScans::average(int n) const
{
    std::int64_t sum = 0;
    std::int64_t count = 0;
    scan(n, [&](const IntervalRecord& e) {
        if (qualifies(e.length(), e.m_uddhacca)) {
            sum += e.length();
            ++count;
        }
    });
    if (count == 0)
        return 0;
    return static_cast<std::int64_t>(static_cast<double>(sum) / static_cast<double>(count) + 0.5);
}

std::int64_t ReferenceScans::median(int n) const
{
    std::list<std::int64_t> descending;
    scan(n, [&](const IntervalRecord& e) {
        if (!qualifies(e.length(), e.m_uddhacca))
            return;
        auto at = descending.begin();
        while (at != descending.end() && !(*at < e.length()))
            ++at;
        descending.insert(at, e.length());
    });
    if (descending.empty())
        return 0;
    const std::size_t k = static_cast<std::size_t>(static_cast<double>(descending.size()) * 0.5 + 0.5);
    auto at = descending.begin();
    std::advance(at, k - 1);
    return *at;
}

std::int64_t ReferenceScans::sikkhati(int n) const
{
    std::int64_t total = 0;
    std::int64_t calm = 0;
    scan(n, [&](const IntervalRecord& e) {
        total += e.length();
        if (e.m_uddhacca == 0)
            calm += e.length();
    });
    double divisor = static_cast<double>(total);
    if (std::fabs(divisor) <= 0.00000025)
        divisor = 1;
    const auto percent = static_cast<std::int64_t>(static_cast<double>(calm) * 100 / divisor + 0.5);
    return percent * 60;
}

std::int64_t ReferenceScans::value(DiagramKind kind, int n) const
{
    switch (kind) {
    case DiagramKind::Maximum: return maximum(n);
    case DiagramKind::Average: return average(n);
    case DiagramKind::Median: return median(n);
    case DiagramKind::Sikkhati: return sikkhati(n);
    }
    return 0;
}

std::int64_t ReferenceScans::movingAverage(DiagramKind kind, int n) const
{
    std::int64_t sum = 0;
    for (int m = n - 29; m <= n; ++m)
        if (m >= 0)
            sum += value(kind, m);
    return static_cast<std::int64_t>(static_cast<double>(sum) / 30);
}
