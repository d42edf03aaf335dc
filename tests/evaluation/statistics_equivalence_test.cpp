#include "evaluation/interval_statistics.h"
#include "records/training_type.h"
#include "tests/evaluation/reference_scans.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A training type shaped like real and damaged files: gaps in the numbering,
// uddhacca-only measurements, runs of equal lengths, records out of order.
TrainingType randomType(std::mt19937& random)
{
    TrainingType type;
    const int measurements = std::uniform_int_distribution<int>(0, 60)(random);
    const bool disordered = random() % 3 == 0;
    int measurement = 0;
    for (int m = 0; m < measurements; ++m) {
        measurement += std::uniform_int_distribution<int>(random() % 5 == 0 ? 0 : 1, 3)(random);
        const int runs = std::uniform_int_distribution<int>(0, 8)(random);
        const bool allUddhacca = random() % 7 == 0;
        for (int run = 1; run <= runs; ++run) {
            // One statement each, so that the random numbers are drawn in a fixed order.
            const CalendarTime start = 1700000000 + static_cast<CalendarTime>(random() % 100000);
            TimeSpan length = std::uniform_int_distribution<int>(0, 3)(random) * 5;
            length += std::uniform_int_distribution<int>(0, 40)(random) * (random() % 2);
            const bool uddhacca = allUddhacca || random() % 4 == 0;
            const int number = disordered && random() % 6 == 0
                                   ? std::uniform_int_distribution<int>(0, measurement + 2)(random)
                                   : measurement;
            type.m_records.add(record().measurement(number).run(run).from(start).lasting(length).uddhacca(uddhacca));
        }
    }
    return type;
}

} // namespace

TEST(StatisticsEquivalence, OnePassAgreesWithTheScanPerMeasurement)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 400; ++round) {
        const TrainingType type = randomType(random);
        const CalendarTime filter = makeDuration(0, 0, round % 3 == 0 ? 0 : static_cast<int>(random() % 25));
        const IntervalStatistics fast(type, filter);
        const ReferenceScans plain(type, filter);
        for (int n = 1; n <= fast.measurementCount(); ++n) {
            for (DiagramKind kind : kDiagramKinds) {
                ASSERT_EQ(fast.value(kind, n), plain.value(kind, n))
                    << "round " << round << ", kind " << static_cast<int>(kind) << ", measurement " << n;
                if (n >= 30) {
                    ASSERT_EQ(fast.movingAverage(kind, n), plain.movingAverage(kind, n))
                        << "round " << round << ", kind " << static_cast<int>(kind) << ", measurement " << n;
                }
            }
        }
    }
}

TEST(StatisticsEquivalence, AppendedRecordsAgreeWithAFreshPass)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 300; ++round) {
        const TrainingType type = randomType(random);
        const CalendarTime filter = makeDuration(0, 0, round % 3 == 0 ? 0 : static_cast<int>(random() % 25));
        const int total = type.m_records.size();
        TrainingType growing;
        int first = static_cast<int>(random() % static_cast<unsigned>(total + 1));
        for (int i = 0; i < first; ++i)
            growing.m_records.add(type.m_records[i]);
        IntervalStatistics appended(growing, filter);
        while (first < total) {
            const int count = std::min(total - first, 1 + static_cast<int>(random() % 4));
            for (int i = first; i < first + count; ++i)
                growing.m_records.add(type.m_records[i]);
            appended.appendRecords(growing, first, count);
            first += count;
        }
        const IntervalStatistics fresh(type, filter);
        ASSERT_EQ(appended.measurementCount(), fresh.measurementCount()) << "round " << round;
        for (DiagramKind kind : kDiagramKinds) {
            ASSERT_EQ(appended.overallMaximum(kind), fresh.overallMaximum(kind)) << "round " << round;
            for (int n = 1; n <= fresh.measurementCount(); ++n) {
                ASSERT_EQ(appended.value(kind, n), fresh.value(kind, n)) << "round " << round << ", measurement " << n;
                ASSERT_EQ(appended.movingAverage(kind, n), fresh.movingAverage(kind, n))
                    << "round " << round << ", measurement " << n;
            }
        }
    }
}
