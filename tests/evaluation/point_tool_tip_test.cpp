#include "evaluation/point_tool_tip.h"
#include "records/training_type.h"

#include <gtest/gtest.h>

TEST(PointToolTip, NamesMeasurementDateAndRoundedValue)
{
    TrainingType type;
    for (int n : {1, 1, 3}) {
        IntervalRecord record;
        record.m_timeStart = makeLocalTime(2026, 12, n, 8, 0, 0) + type.m_records.size() * 600;
        record.m_timeEnd = record.m_timeStart + 100;
        record.m_measurement = static_cast<std::uint16_t>(n);
        type.m_records.add(record);
    }
    EXPECT_EQ(measurementDate(type, 1), makeLocalTime(2026, 12, 1, 8, 0, 0)) << "the first record of it";
    EXPECT_EQ(measurementDate(type, 2), std::nullopt);
    EXPECT_EQ(measurementDate(type, 4), std::nullopt);

    EXPECT_EQ(pointToolTip(DiagramKind::Median, 3, measurementDate(type, 3), 754),
              "Measurement 3\nDate: 03.12.26\nMedian: 12.6 min (00:12:34)");
    EXPECT_EQ(pointToolTip(DiagramKind::Maximum, 2, std::nullopt, 0),
              "Measurement 2\nDate: -\nMaximum: 0.0 min (00:00:00)");
    EXPECT_EQ(pointToolTip(DiagramKind::Sikkhati, 1, std::nullopt, 4500), "Measurement 1\nDate: -\nSikkhati: 75 %");
}
