#include "evaluation/diagram_text.h"
#include "evaluation/interval_statistics.h"
#include "records/training_type.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

namespace {

class Records {
public:
    // Appends an interval of the given length to measurement n.
    Records& add(int n, std::int64_t length, bool uddhacca = false)
    {
        type.m_records.add(record().measurement(n).run(1).from(m_next).lasting(length).uddhacca(uddhacca));
        m_next += length + 1000;
        return *this;
    }
    TrainingType type;

private:
    CalendarTime m_next = 1700000000;
};

const CalendarTime kFilterOff = makeDuration(0, 0, 0);
const CalendarTime kFilter10 = makeDuration(0, 0, 10);

} // namespace

TEST(IntervalStatistics, FilterDecidesWhichIntervalsCount)
{
    Records r;
    r.add(1, 5).add(1, 20);
    r.add(2, 4).add(2, 9).add(2, 30, true);    // only short calm intervals
    r.add(3, 10).add(3, 10).add(3, 100, true); // exactly the filter time counts
    const IntervalStatistics on(r.type, kFilter10);
    EXPECT_TRUE(on.isFilterOn());
    EXPECT_EQ(on.maximum(1), 20);
    EXPECT_EQ(on.average(1), 20);
    EXPECT_EQ(on.median(1), 20);
    EXPECT_EQ(on.maximum(2), 0);
    EXPECT_EQ(on.average(2), 0);
    EXPECT_EQ(on.median(2), 0);
    EXPECT_EQ(on.maximum(3), 10);
    EXPECT_EQ(on.average(3), 10);

    const IntervalStatistics off(r.type, kFilterOff);
    EXPECT_FALSE(off.isFilterOn());
    EXPECT_EQ(off.maximum(1), 20);
    EXPECT_EQ(off.average(1), 13) << "12.5 goes up";
    EXPECT_EQ(off.median(1), 20);
    EXPECT_EQ(off.maximum(2), 9) << "uddhacca intervals never count";
    EXPECT_EQ(off.average(2), 7) << "6.5 goes up";

    // The Sikkhati ability ignores the filter.
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(on.sikkhati(n), off.sikkhati(n)) << n;
    EXPECT_EQ(on.sikkhati(2), 30 * 60) << "13 of 43 s: 30.2 %";
}

TEST(IntervalStatistics, MedianTakesTheLargerMiddle)
{
    Records r;
    r.add(1, 10).add(1, 40).add(1, 30).add(1, 20);
    r.add(2, 10).add(2, 20).add(2, 30);
    r.add(3, 77);
    r.add(4, 20).add(4, 20).add(4, 10);
    r.add(5, 60, true);
    const IntervalStatistics s(r.type, kFilterOff);
    EXPECT_EQ(s.median(1), 30);
    EXPECT_EQ(s.median(2), 20);
    EXPECT_EQ(s.median(3), 77);
    EXPECT_EQ(s.median(4), 20);
    EXPECT_EQ(s.median(5), 0);
    EXPECT_EQ(s.median(6), 0) << "beyond the highest number";
}

TEST(IntervalStatistics, SikkhatiRoundsWholePercentsHalfUp)
{
    Records r;
    r.add(1, 600).add(1, 200, true);
    r.add(2, 200).add(2, 100, true);
    r.add(3, 50, true);
    r.add(5, 1);                      // measurement 4 is a gap
    r.add(6, 1).add(6, 1, true);      // 50 % exactly
    r.add(7, 100).add(7, -500, true); // a record that ends before it starts has no time
    const IntervalStatistics s(r.type, kFilter10);
    EXPECT_EQ(s.sikkhati(1), 75 * 60);
    EXPECT_EQ(s.sikkhati(2), 67 * 60);
    EXPECT_EQ(s.sikkhati(3), 0);
    EXPECT_EQ(s.sikkhati(4), 0);
    for (DiagramKind kind : kDiagramKinds)
        EXPECT_EQ(s.value(kind, 4), 0) << static_cast<int>(kind);
    EXPECT_EQ(s.sikkhati(5), 100 * 60);
    EXPECT_EQ(s.sikkhati(6), 50 * 60);
    for (DiagramKind kind : kDiagramKinds)
        EXPECT_GE(s.value(kind, 7), 0) << static_cast<int>(kind);
}

TEST(IntervalStatistics, MovingAverageDividesByThirtyAndTruncates)
{
    Records single;
    single.add(1, 60);
    for (int n = 2; n <= 30; ++n)
        single.add(n, 3, true);
    const IntervalStatistics one(single.type, kFilterOff);
    EXPECT_EQ(one.movingAverage(DiagramKind::Maximum, 30), 2);
    EXPECT_EQ(one.movingAverage(DiagramKind::Maximum, 31), 0) << "measurement 1 has left the window";

    Records ones;
    for (int n = 1; n <= 29; ++n)
        ones.add(n, 1);
    ones.add(30, 5, true);
    const IntervalStatistics s(ones.type, kFilterOff);
    EXPECT_EQ(s.movingAverage(DiagramKind::Average, 30), 0) << "29 / 30 truncates to 0";
    EXPECT_EQ(s.movingAverage(DiagramKind::Sikkhati, 30), 29 * 6000 / 30);
}

TEST(IntervalStatistics, AxisLadders)
{
    auto ranges = [](int highestMeasurement, std::int64_t longest) {
        Records r;
        r.add(1, longest);
        if (highestMeasurement > 1)
            r.add(highestMeasurement, 1);
        return IntervalStatistics(r.type, kFilterOff).axisRanges(DiagramKind::Maximum);
    };
    const IntervalStatistics empty(TrainingType(), kFilter10);
    EXPECT_EQ(empty.measurementCount(), 0);
    EXPECT_EQ(empty.axisRanges(DiagramKind::Maximum).x, 25);
    EXPECT_EQ(empty.axisRanges(DiagramKind::Median).y, 1);
    EXPECT_EQ(empty.axisRanges(DiagramKind::Sikkhati).y, 125);
    EXPECT_EQ(empty.overallMaximum(DiagramKind::Average), 0);

    EXPECT_EQ(ranges(25, 1).x, 25);
    EXPECT_EQ(ranges(26, 1).x, 50);
    EXPECT_EQ(ranges(101, 1).x, 250);
    EXPECT_EQ(ranges(65535, 1).x, 100000);
    EXPECT_EQ(ranges(1, 59).y, 1);
    EXPECT_EQ(ranges(1, 60).y, 5);
    EXPECT_EQ(ranges(1, 1499).y, 25);
    EXPECT_EQ(ranges(1, 1500).y, 50);
    EXPECT_EQ(ranges(1, 5999).y, 100);
    EXPECT_EQ(ranges(1, 6000).y, 250);
    EXPECT_EQ(ranges(1, 90000).y, 250);
}

TEST(IntervalStatistics, RecordAfterAHigherNumberIsNotFound)
{
    Records r;
    r.add(1, 100).add(2, 50).add(1, 300).add(2, 70);
    const IntervalStatistics s(r.type, kFilterOff);
    EXPECT_EQ(s.maximum(1), 100);
    EXPECT_EQ(s.maximum(2), 70);
    EXPECT_EQ(s.average(2), 60);
    EXPECT_EQ(s.overallMaximum(DiagramKind::Maximum), 100);
}

TEST(DiagramText, TitlesAndFooters)
{
    EXPECT_EQ(diagramTitle("Apana Jhavari (Samatha Bhavana)", DiagramKind::Median),
              "Apana Jhavari (Samatha Bhavana) Training, Diagramm: Jhavari Median");
    EXPECT_EQ(diagramTitle("X", DiagramKind::Maximum), "X Training, Diagramm: Jhavari Maximum");
    EXPECT_EQ(diagramTitle("X", DiagramKind::Average), "X Training, Diagramm: Jhavari Average");
    EXPECT_EQ(diagramTitle("X", DiagramKind::Sikkhati), "X Training, Diagramm: Sikkhati ability");

    ScopedTimeZone berlin("Europe/Berlin");
    const CalendarTime day = makeLocalTime(2026, 12, 6, 23, 30, 0);
    const CalendarTime filter = makeDuration(0, 0, 10);
    EXPECT_EQ(footerText(DiagramKind::Median, "Practice", filter, day),
              "Date: 06.12.26, File: Practice, Filter time: 00:00:10 (Values under this time were filtered out "
              "before the calculation.)");
    EXPECT_EQ(footerText(DiagramKind::Sikkhati, "Practice", filter, day),
              "Date: 06.12.26, File: Practice, Filter time: off");
    EXPECT_EQ(footerText(DiagramKind::Maximum, "Unbenannt", makeDuration(0, 0, 0), day),
              "Date: 06.12.26, File: Unbenannt, Filter time: off");
    EXPECT_EQ(diagramColor(DiagramKind::Maximum), 0xFF0000u);
    EXPECT_EQ(diagramColor(DiagramKind::Sikkhati), 0x008000u);
}
