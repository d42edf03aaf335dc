#include "interval_rows.h"

#include "span_format.h"
#include "training_type.h"

#include <gtest/gtest.h>

namespace {

CDataEntry Entry(CalendarTime start, TimeSpan length, std::uint16_t measurement, std::uint16_t run, bool uddhacca)
{
    CDataEntry entry;
    entry.m_timeStart = start;
    entry.m_timeEnd = start + length;
    entry.m_nMeasurement = measurement;
    entry.m_nRun = run;
    entry.m_bUddhacca = uddhacca ? 1 : 0;
    return entry;
}

std::vector<std::string> Column(const CIntervalRows& rows, int column)
{
    std::vector<std::string> texts;
    for (int i = 0; i < rows.Count(); ++i)
        texts.push_back(CIntervalRows::CellText(rows.Row(i), column));
    return texts;
}

// Every row that still has a record must show exactly that record.
void ExpectRowsLeadToTheirRecords(const CIntervalRows& rows, const TrainingType& type)
{
    for (int i = 0; i < rows.Count(); ++i) {
        const IntervalRow& row = rows.Row(i);
        if (row.m_nRecord == IntervalRow::kNoRecord)
            continue;
        ASSERT_LT(row.m_nRecord, type.m_aEntries.GetSize());
        const CDataEntry& record = type.m_aEntries[row.m_nRecord];
        EXPECT_EQ(record.m_timeStart, row.m_timeStart) << "row " << i;
        EXPECT_EQ(record.m_timeEnd, row.m_timeEnd) << "row " << i;
        EXPECT_EQ(record.m_nRun, row.m_nRun) << "row " << i;
    }
}

TEST(SpanFormat, SpansShowHoursWithinADayAndTimesShowLocalFields)
{
    EXPECT_EQ(FormatSpan(0), "00:00:00");
    EXPECT_EQ(FormatSpan(3599), "00:59:59");
    EXPECT_EQ(FormatSpan(25 * 3600 + 61), "01:01:01");
    EXPECT_EQ(FormatSpan(-75), "-00:01:15");
    const CalendarTime time = MakeLocalTime(2009, 3, 7, 6, 5, 4);
    EXPECT_EQ(FormatLocalDate(time), "07.03.09");
    EXPECT_EQ(FormatLocalTimeOfDay(time), "06:05:04");
}

TEST(IntervalRows, ColumnsShowTheRecord)
{
    CIntervalRows rows;
    const CalendarTime start = MakeLocalTime(2010, 12, 31, 23, 59, 30);
    rows.Add(Entry(start, 3725, 12, 3, true));
    rows.Add(Entry(start, 5, 1, 1, false));
    const std::vector<std::string> first = {"31.12.10", "12", "3", "23:59:30", "01:01:35", "01:02:05", "x"};
    for (int column = 0; column < CIntervalRows::ColumnCount; ++column)
        EXPECT_EQ(CIntervalRows::CellText(rows.Row(0), column), first[static_cast<std::size_t>(column)]);
    EXPECT_EQ(CIntervalRows::CellText(rows.Row(1), CIntervalRows::ColUddhacca), " ");
    EXPECT_EQ(rows.Row(0).m_nRecord, IntervalRow::kNoRecord);
}

TEST(IntervalRows, FillTakesAllRecordsOrThoseOfOneMeasurementInStoredOrder)
{
    TrainingType type;
    type.m_aEntries.Add(Entry(3000, 10, 1, 1, false));
    type.m_aEntries.Add(Entry(1000, 10, 2, 1, false));
    type.m_aEntries.Add(Entry(5000, 10, 1, 2, false));
    CIntervalRows rows;
    rows.Fill(type, std::nullopt);
    EXPECT_EQ(rows.Count(), 3);
    rows.Fill(type, std::uint16_t{1});
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_EQ(rows.Row(0).m_nRecord, 0);
    EXPECT_EQ(rows.Row(1).m_nRecord, 2);
    rows.Fill(TrainingType{}, std::uint16_t{0});
    EXPECT_EQ(rows.Count(), 0);
}

TEST(IntervalRows, SortingByEachColumnKeepsRowsOnTheirRecords)
{
    TrainingType type;
    type.m_aEntries.Add(Entry(2000, 50, 1, 2, true));
    type.m_aEntries.Add(Entry(1000, 70, 1, 1, false));
    type.m_aEntries.Add(Entry(3000, 10, 2, 3, false));
    type.m_aEntries.Add(Entry(4000, 70, 2, 1, true));
    CIntervalRows rows;
    rows.Fill(type, std::nullopt);

    std::vector<int> moved = rows.Sort(CIntervalRows::ColDuration, true);
    EXPECT_EQ(Column(rows, CIntervalRows::ColDuration),
              (std::vector<std::string>{"00:00:10", "00:00:50", "00:01:10", "00:01:10"}));
    EXPECT_EQ(rows.Row(2).m_timeStart, 1000); // equal keys keep their order
    EXPECT_EQ(moved, (std::vector<int>{1, 2, 0, 3}));
    ExpectRowsLeadToTheirRecords(rows, type);

    rows.Sort(CIntervalRows::ColDuration, false);
    EXPECT_EQ(rows.Row(0).m_timeEnd - rows.Row(0).m_timeStart, 70);
    EXPECT_EQ(rows.Row(3).m_timeEnd - rows.Row(3).m_timeStart, 10);

    rows.Sort(CIntervalRows::ColDate, true);
    EXPECT_EQ(rows.Row(0).m_timeStart, 1000);
    EXPECT_EQ(rows.Row(3).m_timeStart, 4000);
    rows.Sort(CIntervalRows::ColEnd, false);
    EXPECT_EQ(rows.Row(0).m_timeStart, 4000);

    rows.Sort(CIntervalRows::ColRun, true);
    EXPECT_EQ(Column(rows, CIntervalRows::ColRun), (std::vector<std::string>{"1", "1", "2", "3"}));

    rows.Sort(CIntervalRows::ColUddhacca, true);
    EXPECT_EQ(Column(rows, CIntervalRows::ColUddhacca), (std::vector<std::string>{" ", " ", "x", "x"}));
    rows.Sort(CIntervalRows::ColUddhacca, false);
    EXPECT_EQ(Column(rows, CIntervalRows::ColUddhacca), (std::vector<std::string>{"x", "x", " ", " "}));
    ExpectRowsLeadToTheirRecords(rows, type);

    const std::vector<std::string> before = Column(rows, CIntervalRows::ColDate);
    rows.Sort(7, true);
    EXPECT_EQ(Column(rows, CIntervalRows::ColDate), before);
}

TEST(IntervalRows, DeletionTakesEveryRecordOfTheSameStartSecondAndRepointsTheRest)
{
    TrainingType type;
    type.m_aEntries.Add(Entry(1000, 10, 1, 1, false)); // 0
    type.m_aEntries.Add(Entry(2000, 10, 1, 2, false)); // 1, same second as 3
    type.m_aEntries.Add(Entry(3000, 10, 1, 3, false)); // 2
    type.m_aEntries.Add(Entry(2000, 99, 2, 1, false)); // 3
    type.m_aEntries.Add(Entry(4000, 10, 2, 2, false)); // 4
    CIntervalRows rows;
    rows.Fill(type, std::nullopt);
    rows.Sort(CIntervalRows::ColDate, false); // 4000, 3000, 2000(1), 2000(3), 1000

    rows.RemoveRecordsOf(type, {2});
    rows.EraseRows(2, 2);
    ASSERT_EQ(type.m_aEntries.GetSize(), 3);
    EXPECT_EQ(type.m_aEntries[0].m_timeStart, 1000);
    EXPECT_EQ(type.m_aEntries[1].m_timeStart, 3000);
    EXPECT_EQ(type.m_aEntries[2].m_timeStart, 4000);
    // The other row of that second stays until the next fill, without a record.
    ASSERT_EQ(rows.Count(), 4);
    EXPECT_EQ(rows.Row(2).m_timeStart, 2000);
    EXPECT_EQ(rows.Row(2).m_nRecord, IntervalRow::kNoRecord);
    ExpectRowsLeadToTheirRecords(rows, type);

    // Several rows at once: the top row first, then the rest.
    rows.RemoveRecordsOf(type, {0, 3});
    rows.EraseRows(3, 3);
    rows.EraseRows(0, 0);
    ASSERT_EQ(type.m_aEntries.GetSize(), 1);
    EXPECT_EQ(type.m_aEntries[0].m_timeStart, 3000);
    ASSERT_EQ(rows.Count(), 2);
    EXPECT_EQ(rows.Row(0).m_nRecord, 0);
    ExpectRowsLeadToTheirRecords(rows, type);
    EXPECT_THROW(rows.EraseRows(1, 2), std::invalid_argument);
}

} // namespace
