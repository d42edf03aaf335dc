#include "practice/interval_rows.h"

#include "evaluation/practice_summary.h"
#include "practice/sort_by_keys.h"
#include "practice/span_format.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

int col(IntervalRows::Column column)
{
    return static_cast<int>(column);
}

std::vector<std::string> columnTexts(const IntervalRows& rows, int column)
{
    std::vector<std::string> texts;
    for (int i = 0; i < rows.count(); ++i)
        texts.push_back(IntervalRows::cellText(rows.row(i), column));
    return texts;
}

// Every row that still has a record must show exactly that record.
void expectRowsLeadToTheirRecords(const IntervalRows& rows, const TrainingType& type)
{
    for (int i = 0; i < rows.count(); ++i) {
        const IntervalRow& row = rows.row(i);
        ASSERT_LT(row.m_record, type.m_records.size());
        const IntervalRecord& record = type.m_records[row.m_record];
        EXPECT_EQ(record.m_timeStart, row.m_timeStart) << "row " << i;
        EXPECT_EQ(record.m_timeEnd, row.m_timeEnd) << "row " << i;
        EXPECT_EQ(record.m_run, row.m_run) << "row " << i;
    }
}

TEST(SpanFormat, SpansShowHoursWithinADayAndTimesShowLocalFields)
{
    EXPECT_EQ(formatSpan(0), "00:00:00");
    EXPECT_EQ(formatSpan(3599), "00:59:59");
    EXPECT_EQ(formatSpan(25 * 3600 + 61), "01:01:01");
    EXPECT_EQ(formatSpan(-75), "-00:01:15");
    const CalendarTime time = makeLocalTime(2009, 3, 7, 6, 5, 4);
    EXPECT_EQ(formatLocalDate(time), "07.03.09");
    EXPECT_EQ(formatLocalTimeOfDay(time), "06:05:04");
}

TEST(IntervalRows, ColumnsShowTheRecord)
{
    IntervalRows rows;
    const CalendarTime start = makeLocalTime(2010, 12, 31, 23, 59, 30);
    rows.add(record().measurement(12).run(3).from(start).lasting(3725).uddhacca(), 0);
    rows.add(record().measurement(1).run(1).from(start).lasting(5), 1);
    const std::vector<std::string> first = {"31.12.10", "12", "3", "23:59:30", "01:01:35", "01:02:05", "x"};
    for (int column = 0; column < IntervalRows::kColumnCount; ++column)
        EXPECT_EQ(IntervalRows::cellText(rows.row(0), column), first[static_cast<std::size_t>(column)]);
    EXPECT_EQ(IntervalRows::cellText(rows.row(1), col(IntervalRows::Column::Uddhacca)), " ");
}

TEST(IntervalRows, HostileTimesShowAsQuestionMarksAndBoundedDurations)
{
    constexpr CalendarTime kEarliest = std::numeric_limits<CalendarTime>::min();
    constexpr CalendarTime kLatest = std::numeric_limits<CalendarTime>::max();
    TrainingType type;
    type.m_records.add(record().measurement(1).run(1).from(kEarliest).to(kLatest));
    type.m_records.add(record().measurement(1).run(2).from(kLatest).to(kEarliest));
    type.m_records.add(record().measurement(1).run(3).from(0).to(60));
    IntervalRows rows;
    rows.fill(type, std::nullopt);
    EXPECT_EQ(IntervalRows::cellText(rows.row(0), col(IntervalRows::Column::Date)), "?");
    EXPECT_EQ(IntervalRows::cellText(rows.row(0), col(IntervalRows::Column::End)), "?");
    EXPECT_EQ(IntervalRows::cellText(rows.row(0), col(IntervalRows::Column::Duration)),
              formatSpan(boundedSpan(kEarliest, kLatest)));
    EXPECT_EQ(IntervalRows::cellText(rows.row(1), col(IntervalRows::Column::Duration)).front(), '-');
    rows.sort(col(IntervalRows::Column::Duration), true);
    EXPECT_EQ(rows.row(0).m_run, 2);
    EXPECT_EQ(rows.row(2).m_run, 1);

    const PracticeSummary summary(type, 0);
    ASSERT_FALSE(summary.days().empty());
    EXPECT_EQ(formatDayNumber(summary.days().front().dayNumber), "?");
    EXPECT_EQ(formatWeek(summary.weeks().front()), "?");
}

TEST(IntervalRows, FillTakesAllRecordsOrThoseOfOneMeasurementInStoredOrder)
{
    TrainingType type;
    type.m_records.add(record().measurement(1).run(1).from(3000).lasting(10));
    type.m_records.add(record().measurement(2).run(1).from(1000).lasting(10));
    type.m_records.add(record().measurement(1).run(2).from(5000).lasting(10));
    IntervalRows rows;
    rows.fill(type, std::nullopt);
    EXPECT_EQ(rows.count(), 3);
    rows.fill(type, std::uint16_t{1});
    ASSERT_EQ(rows.count(), 2);
    EXPECT_EQ(rows.row(0).m_record, 0);
    EXPECT_EQ(rows.row(1).m_record, 2);
    rows.fill(TrainingType{}, std::uint16_t{0});
    EXPECT_EQ(rows.count(), 0);
}

TEST(IntervalRows, SortingByEachColumnKeepsRowsOnTheirRecords)
{
    TrainingType type;
    type.m_records.add(record().measurement(1).run(2).from(2000).lasting(50).uddhacca());
    type.m_records.add(record().measurement(1).run(1).from(1000).lasting(70));
    type.m_records.add(record().measurement(2).run(3).from(3000).lasting(10));
    type.m_records.add(record().measurement(2).run(1).from(4000).lasting(70).uddhacca());
    IntervalRows rows;
    rows.fill(type, std::nullopt);

    const std::vector<int> moved = rows.sort(col(IntervalRows::Column::Duration), true, {0, 1, 2, 3});
    EXPECT_EQ(columnTexts(rows, col(IntervalRows::Column::Duration)),
              (std::vector<std::string>{"00:00:10", "00:00:50", "00:01:10", "00:01:10"}));
    EXPECT_EQ(rows.row(2).m_timeStart, 1000); // equal keys keep their order
    EXPECT_EQ(moved, (std::vector<int>{1, 2, 0, 3}));
    expectRowsLeadToTheirRecords(rows, type);

    rows.sort(col(IntervalRows::Column::Duration), false);
    EXPECT_EQ(rows.row(0).m_timeEnd - rows.row(0).m_timeStart, 70);
    EXPECT_EQ(rows.row(3).m_timeEnd - rows.row(3).m_timeStart, 10);

    rows.sort(col(IntervalRows::Column::Date), true);
    EXPECT_EQ(rows.row(0).m_timeStart, 1000);
    EXPECT_EQ(rows.row(3).m_timeStart, 4000);
    rows.sort(col(IntervalRows::Column::End), false);
    EXPECT_EQ(rows.row(0).m_timeStart, 4000);

    rows.sort(col(IntervalRows::Column::Run), true);
    EXPECT_EQ(columnTexts(rows, col(IntervalRows::Column::Run)), (std::vector<std::string>{"1", "1", "2", "3"}));

    rows.sort(col(IntervalRows::Column::Uddhacca), true);
    EXPECT_EQ(columnTexts(rows, col(IntervalRows::Column::Uddhacca)), (std::vector<std::string>{" ", " ", "x", "x"}));
    rows.sort(col(IntervalRows::Column::Uddhacca), false);
    EXPECT_EQ(columnTexts(rows, col(IntervalRows::Column::Uddhacca)), (std::vector<std::string>{"x", "x", " ", " "}));
    expectRowsLeadToTheirRecords(rows, type);

    const std::vector<std::string> before = columnTexts(rows, col(IntervalRows::Column::Date));
    rows.sort(7, true);
    EXPECT_EQ(columnTexts(rows, col(IntervalRows::Column::Date)), before);
}

TEST(IntervalRows, KeysOfAnySpreadSortStablyBothWays)
{
    // Times of a damaged file may span the whole range of 64 bits.
    const std::vector<std::int64_t> keys = {5, INT64_MIN, 5, INT64_MAX, -1, 5};
    std::vector<std::int32_t> values = {0, 1, 2, 3, 4, 5};
    sortByKeys(values, keys, true);
    EXPECT_EQ(values, (std::vector<std::int32_t>{1, 4, 0, 2, 5, 3}));
    values = {0, 1, 2, 3, 4, 5};
    sortByKeys(values, keys, false);
    EXPECT_EQ(values, (std::vector<std::int32_t>{3, 0, 2, 5, 4, 1}));
}

TEST(IntervalRows, RowsNameTheirRecordsAndFollowRemovedOnes)
{
    TrainingDocument document;
    const TrainingType& type = document.trainingTypes()[0];
    append(document, type, record().measurement(1).run(1).from(1000).lasting(10)); // 0
    append(document, type, record().measurement(1).run(2).from(2000).lasting(10)); // 1, same second as 3
    append(document, type, record().measurement(1).run(3).from(3000).lasting(10)); // 2
    append(document, type, record().measurement(2).run(1).from(2000).lasting(99)); // 3
    append(document, type, record().measurement(2).run(2).from(4000).lasting(10)); // 4
    IntervalRows rows;
    rows.fill(type, std::nullopt);
    rows.sort(col(IntervalRows::Column::Date), false); // 4000, 3000, 2000(1), 2000(3), 1000

    const std::vector<PlacedRecord> chosen = rows.recordsOf({4, 2}, type);
    ASSERT_EQ(chosen.size(), 2u);
    EXPECT_EQ(chosen[0].position, 0);
    EXPECT_EQ(chosen[1], (PlacedRecord{1, type.m_records[1]})) << "exactly the record of the row";

    document.apply(RemoveRecords{0, chosen});
    EXPECT_EQ(rows.forgetRecords({0, 1}), (std::vector<int>{2, 4}));
    rows.eraseRows(4, 4);
    rows.eraseRows(2, 2);
    ASSERT_EQ(type.m_records.size(), 3);
    EXPECT_EQ(type.m_records[1].m_timeEnd, 2099) << "the other record of that second stays";
    ASSERT_EQ(rows.count(), 3);
    expectRowsLeadToTheirRecords(rows, type);

    // The record between two removed ones moves down by the one below it.
    document.apply(RemoveRecords{0, {{0, type.m_records[0]}, {2, type.m_records[2]}}});
    rows.eraseRows(rows.forgetRecords({0, 2}));
    ASSERT_EQ(rows.count(), 1);
    expectRowsLeadToTheirRecords(rows, type);
}

} // namespace
