#include "diagram_text.h"
#include "interval_statistics.h"
#include "test_bytes.h"
#include "training_type.h"

#include <gtest/gtest.h>

namespace {

class Records {
public:
    // Appends an interval of the given length to measurement n.
    Records& Add(int n, std::int64_t length, bool uddhacca = false)
    {
        CDataEntry e;
        e.m_timeStart = m_next;
        e.m_timeEnd = m_next + length;
        e.m_nMeasurement = static_cast<std::uint16_t>(n);
        e.m_nRun = 1;
        e.m_bUddhacca = uddhacca;
        m_next += length + 1000;
        type.m_aEntries.Add(e);
        return *this;
    }
    TrainingType type;

private:
    CalendarTime m_next = 1700000000;
};

const CalendarTime kFilterOff = MakeDuration(0, 0, 0);
const CalendarTime kFilter10 = MakeDuration(0, 0, 10);

} // namespace

TEST(IntervalStatistics, FilterDecidesWhichIntervalsCount)
{
    Records r;
    r.Add(1, 5).Add(1, 20);
    r.Add(2, 4).Add(2, 9).Add(2, 30, true);       // only short calm intervals
    r.Add(3, 10).Add(3, 10).Add(3, 100, true);    // exactly the filter time counts
    const CIntervalStatistics on(r.type, kFilter10);
    EXPECT_TRUE(on.IsFilterOn());
    EXPECT_EQ(on.GetMaximum(1), 20);
    EXPECT_EQ(on.GetAverage(1), 20);
    EXPECT_EQ(on.GetMedian(1), 20);
    EXPECT_EQ(on.GetMaximum(2), 0);
    EXPECT_EQ(on.GetAverage(2), 0);
    EXPECT_EQ(on.GetMedian(2), 0);
    EXPECT_EQ(on.GetMaximum(3), 10);
    EXPECT_EQ(on.GetAverage(3), 10);

    const CIntervalStatistics off(r.type, kFilterOff);
    EXPECT_FALSE(off.IsFilterOn());
    EXPECT_EQ(off.GetMaximum(1), 20);
    EXPECT_EQ(off.GetAverage(1), 13) << "12.5 goes up";
    EXPECT_EQ(off.GetMedian(1), 20);
    EXPECT_EQ(off.GetMaximum(2), 9) << "uddhacca intervals never count";
    EXPECT_EQ(off.GetAverage(2), 7) << "6.5 goes up";

    // The Sikkhati ability ignores the filter.
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(on.GetSikkhati(n), off.GetSikkhati(n)) << n;
    EXPECT_EQ(on.GetSikkhati(2), 30 * 60) << "13 of 43 s: 30.2 %";
}

TEST(IntervalStatistics, MedianTakesTheLargerMiddle)
{
    Records r;
    r.Add(1, 10).Add(1, 40).Add(1, 30).Add(1, 20);
    r.Add(2, 10).Add(2, 20).Add(2, 30);
    r.Add(3, 77);
    r.Add(4, 20).Add(4, 20).Add(4, 10);
    r.Add(5, 60, true);
    const CIntervalStatistics s(r.type, kFilterOff);
    EXPECT_EQ(s.GetMedian(1), 30);
    EXPECT_EQ(s.GetMedian(2), 20);
    EXPECT_EQ(s.GetMedian(3), 77);
    EXPECT_EQ(s.GetMedian(4), 20);
    EXPECT_EQ(s.GetMedian(5), 0);
    EXPECT_EQ(s.GetMedian(6), 0) << "beyond the highest number";
}

TEST(IntervalStatistics, SikkhatiRoundsWholePercentsHalfUp)
{
    Records r;
    r.Add(1, 600).Add(1, 200, true);
    r.Add(2, 200).Add(2, 100, true);
    r.Add(3, 50, true);
    r.Add(5, 1);                 // measurement 4 is a gap
    r.Add(6, 1).Add(6, 1, true); // 50 % exactly
    const CIntervalStatistics s(r.type, kFilter10);
    EXPECT_EQ(s.GetSikkhati(1), 75 * 60);
    EXPECT_EQ(s.GetSikkhati(2), 67 * 60);
    EXPECT_EQ(s.GetSikkhati(3), 0);
    EXPECT_EQ(s.GetSikkhati(4), 0);
    for (DiagramKind kind : kDiagramKinds)
        EXPECT_EQ(s.GetValue(kind, 4), 0) << kind;
    EXPECT_EQ(s.GetSikkhati(5), 100 * 60);
    EXPECT_EQ(s.GetSikkhati(6), 50 * 60);
}

TEST(IntervalStatistics, MovingAverageDividesByThirtyAndTruncates)
{
    Records single;
    single.Add(1, 60);
    for (int n = 2; n <= 30; ++n)
        single.Add(n, 3, true);
    const CIntervalStatistics one(single.type, kFilterOff);
    EXPECT_EQ(one.GetMovingAverage(Maximum, 30), 2);
    EXPECT_EQ(one.GetMovingAverage(Maximum, 31), 0) << "measurement 1 has left the window";

    Records ones;
    for (int n = 1; n <= 29; ++n)
        ones.Add(n, 1);
    ones.Add(30, 5, true);
    const CIntervalStatistics s(ones.type, kFilterOff);
    EXPECT_EQ(s.GetMovingAverage(Average, 30), 0) << "29 / 30 truncates to 0";
    EXPECT_EQ(s.GetMovingAverage(Sikkhati, 30), 29 * 6000 / 30);
}

TEST(IntervalStatistics, AxisLadders)
{
    auto ranges = [](int highestMeasurement, std::int64_t longest) {
        Records r;
        r.Add(1, longest);
        if (highestMeasurement > 1)
            r.Add(highestMeasurement, 1);
        return CIntervalStatistics(r.type, kFilterOff).GetAxisRanges(Maximum);
    };
    const CIntervalStatistics empty(TrainingType(), kFilter10);
    EXPECT_EQ(empty.GetMeasurementCount(), 0);
    EXPECT_EQ(empty.GetAxisRanges(Maximum).x, 25);
    EXPECT_EQ(empty.GetAxisRanges(Median).y, 1);
    EXPECT_EQ(empty.GetAxisRanges(Sikkhati).y, 125);
    EXPECT_EQ(empty.GetOverallMaximum(Average), 0);

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
    r.Add(1, 100).Add(2, 50).Add(1, 300).Add(2, 70);
    const CIntervalStatistics s(r.type, kFilterOff);
    EXPECT_EQ(s.GetMaximum(1), 100);
    EXPECT_EQ(s.GetMaximum(2), 70);
    EXPECT_EQ(s.GetAverage(2), 60);
    EXPECT_EQ(s.GetOverallMaximum(Maximum), 100);
}

TEST(DiagramText, TitlesAndFooters)
{
    EXPECT_EQ(GetDiagramTitle("Apana Jhavari (Samatha Bhavana)", Median),
              "Apana Jhavari (Samatha Bhavana) Training, Diagramm: Jhavari Median");
    EXPECT_EQ(GetDiagramTitle("X", Maximum), "X Training, Diagramm: Jhavari Maximum");
    EXPECT_EQ(GetDiagramTitle("X", Average), "X Training, Diagramm: Jhavari Average");
    EXPECT_EQ(GetDiagramTitle("X", Sikkhati), "X Training, Diagramm: Sikkhati ability");

    ScopedTimeZone berlin("Europe/Berlin");
    const CalendarTime day = MakeLocalTime(2026, 12, 6, 23, 30, 0);
    const CalendarTime filter = MakeDuration(0, 0, 10);
    EXPECT_EQ(GetFooterText(Median, "Practice", filter, day),
              "Date: 06.12.26, File: Practice, Filter time: 00:00:10 (Values under this time were filtered out "
              "before the calculation.)");
    EXPECT_EQ(GetFooterText(Sikkhati, "Practice", filter, day), "Date: 06.12.26, File: Practice, Filter time: off");
    EXPECT_EQ(GetFooterText(Maximum, "Unbenannt", MakeDuration(0, 0, 0), day),
              "Date: 06.12.26, File: Unbenannt, Filter time: off");
    EXPECT_EQ(GetDiagramColor(Maximum), 0xFF0000u);
    EXPECT_EQ(GetDiagramColor(Sikkhati), 0x008000u);
}
