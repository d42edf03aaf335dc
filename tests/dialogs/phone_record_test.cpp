#include "dialogs/entry_logic/phone_record.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

// Stores accepted records in a type of the test's own.
PhoneRecordRun::StoreFn into(TrainingType& type)
{
    return [&type](const IntervalRecord& record) { type.m_records.add(record); };
}

// A run of measurement 12 without daylight-saving shift, into a fresh type.
struct PhoneRun : ::testing::Test {
    TrainingType type;
    PhoneRecordRun run{12, 0};

    PhoneRecordRun::Result save(const std::string& text) { return run.saveRecord(text, into(type)).result; }
};

using Result = PhoneRecordRun::Result;

} // namespace

TEST(PhoneRecordText, SeparatorNumbersAndUddhacca)
{
    const auto normal = parsePhoneRecord("100-400");
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->start, 100u);
    EXPECT_EQ(normal->end, 400u);
    EXPECT_FALSE(normal->uddhacca);

    for (const char* text : {"100x400", "100X400", "100-400x", "100-400 X"}) {
        const auto record = parsePhoneRecord(text);
        ASSERT_TRUE(record) << text;
        EXPECT_EQ(record->start, 100u) << text;
        EXPECT_EQ(record->end, 400u) << text;
        EXPECT_TRUE(record->uddhacca) << text;
    }

    const auto blanks = parsePhoneRecord("100 - 200");
    ASSERT_TRUE(blanks);
    EXPECT_EQ(blanks->start, 100u);
    EXPECT_EQ(blanks->end, 200u);

    EXPECT_FALSE(parsePhoneRecord(""));
    EXPECT_FALSE(parsePhoneRecord("100 200"));
    // The first separator splits; a minus sign after it belongs to the end.
    const auto negativeEnd = parsePhoneRecord("5--100");
    ASSERT_TRUE(negativeEnd);
    EXPECT_EQ(negativeEnd->end, 4294967196u);
    const auto leading = parsePhoneRecord("-100");
    ASSERT_TRUE(leading);
    EXPECT_EQ(leading->start, 0u);
    // Text in other scripts around the numbers does not disturb the split.
    const auto umlaut = parsePhoneRecord("100\xC3\xA4-200");
    ASSERT_TRUE(umlaut);
    EXPECT_EQ(umlaut->start, 100u);
    EXPECT_EQ(umlaut->end, 200u);
}

TEST_F(PhoneRun, EachRecordMustBeginAfterThePreviousEnded)
{
    EXPECT_EQ(run.caption(), "Mess-Nr. 12, Lauf-Nr. 1:");
    EXPECT_EQ(save("100-200"), Result::Stored);
    EXPECT_EQ(run.caption(), "Mess-Nr. 12, Lauf-Nr. 2:");
    EXPECT_EQ(save("150-300"), Result::Invalid);
    EXPECT_EQ(save("200-300"), Result::Invalid);
    EXPECT_EQ(run.caption(), "Mess-Nr. 12, Lauf-Nr. 2:");
    EXPECT_EQ(save("201-300"), Result::Stored);
    EXPECT_EQ(run.caption(), "Mess-Nr. 12, Lauf-Nr. 3:");

    ASSERT_EQ(type.m_records.size(), 2);
    EXPECT_EQ(type.m_records[0].m_timeStart, 100);
    EXPECT_EQ(type.m_records[0].m_timeEnd, 200);
    EXPECT_EQ(type.m_records[0].m_measurement, 12);
    EXPECT_EQ(type.m_records[0].m_run, 1);
    EXPECT_EQ(type.m_records[1].m_timeStart, 201);
    EXPECT_EQ(type.m_records[1].m_run, 2);
    EXPECT_EQ(run.m_lastEnd, 300u);
}

TEST_F(PhoneRun, RefusedTextsChangeNothing)
{
    for (const char* text : {"0-200", "200-100", "200-200", "-100", "", "100 200", "100-", "abc"}) {
        EXPECT_EQ(save(text), Result::Invalid) << text;
        EXPECT_EQ(run.m_stored, 0) << text;
        EXPECT_EQ(run.m_lastEnd, PhoneRecordRun::kNoRecordYet) << text;
    }
    EXPECT_EQ(type.m_records.size(), 0);
}

TEST_F(PhoneRun, UddhaccaByXAnywhereAndBlanksAroundTheNumbers)
{
    EXPECT_EQ(save("100x200"), Result::Stored);
    EXPECT_EQ(save("300X400"), Result::Stored);
    EXPECT_EQ(save("500-600x"), Result::Stored);
    EXPECT_EQ(save("700-800"), Result::Stored);
    EXPECT_EQ(save("900 - 1000"), Result::Stored);
    ASSERT_EQ(type.m_records.size(), 5);
    EXPECT_EQ(type.m_records[0].m_uddhacca, 1);
    EXPECT_EQ(type.m_records[1].m_uddhacca, 1);
    EXPECT_EQ(type.m_records[2].m_uddhacca, 1);
    EXPECT_EQ(type.m_records[3].m_uddhacca, 0);
    EXPECT_EQ(type.m_records[4].m_timeStart, 900);
    EXPECT_EQ(type.m_records[4].m_timeEnd, 1000);
    EXPECT_EQ(type.m_records[4].m_run, 5);
}

// The shift itself, as the dialog applies it when opened, is checked with the dialog.
TEST(PhoneRecordRun, DaylightSavingOffsetFollowsTheZoneAndLeavesTheOrderCheckAndTheTopAlone)
{
    const ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    const CalendarTime july = makeLocalTime(2026, 7, 1, 12, 0, 0);
    const CalendarTime january = makeLocalTime(2026, 1, 15, 12, 0, 0);
    EXPECT_EQ(dstOffsetAt(july), 3600);
    EXPECT_EQ(dstOffsetAt(january), 0);

    TrainingType type;
    PhoneRecordRun summer(1, dstOffsetAt(july));
    const PhoneRecordRun::Outcome outcome = summer.saveRecord("1000-2000", into(type));
    ASSERT_TRUE(outcome.appended);
    // The order check compares the phone's own numbers, not the shifted ones.
    EXPECT_EQ(summer.saveRecord("2001-2100", into(type)).result, Result::Stored);

    // A negative end reads as a number near the top of the 32-bit range;
    // the shift must not wrap it round to a time before the start.
    PhoneRecordRun top(1, 3600);
    const PhoneRecordRun::Outcome high = top.saveRecord("2147483000--1", into(type));
    ASSERT_TRUE(high.appended);
    EXPECT_EQ(high.appended->m_timeEnd, 4294967295LL + 3600);
    EXPECT_GT(high.appended->m_timeEnd, high.appended->m_timeStart);

    const ScopedTimeZone utc("UTC0");
    EXPECT_EQ(dstOffsetAt(july), 0);
}

TEST(PhoneRecordRun, WithoutTrainingTypeRecordsCountButAreNotStored)
{
    PhoneRecordRun run(1, 0);
    const PhoneRecordRun::Outcome outcome = run.saveRecord("100-200", {});
    EXPECT_EQ(outcome.result, Result::Stored);
    EXPECT_FALSE(outcome.appended);
    EXPECT_EQ(run.m_stored, 1);
    EXPECT_EQ(run.saveRecord("150-300", {}).result, Result::Invalid);
}

// The refusal of 65536 and its message are checked with the dialog.
TEST(PhoneRecordRun, MeasurementNumber65535IsTheLastStored)
{
    TrainingType type;
    PhoneRecordRun last(65535, 0);
    EXPECT_EQ(last.saveRecord("100-200", into(type)).result, Result::Stored);
    ASSERT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(type.m_records[0].m_measurement, 65535);

    PhoneRecordRun beyond(65536, 0);
    EXPECT_EQ(beyond.saveRecord("300-400", into(type)).result, Result::MeasurementTooLarge);
}

TEST(PhoneRecordRun, RunNumber65535IsTheLastStored)
{
    TrainingType type;
    PhoneRecordRun run(1, 0);
    run.m_stored = 65534;
    EXPECT_EQ(run.saveRecord("100-200", into(type)).result, Result::Stored);
    ASSERT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(type.m_records[0].m_run, 65535);
    EXPECT_EQ(run.saveRecord("300-400", into(type)).result, Result::RunTooLarge);
    EXPECT_EQ(run.runTooLargeMessage(),
              "Error: The run number 65536 is higher than 65535, the highest run number. The record was not stored.");
    EXPECT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(run.m_stored, 65535);
}

TEST_F(PhoneRun, ARecordMeetingARecordedIntervalIsRefusedAndChangesNothing)
{
    type.m_records.add(record().measurement(3).run(1).from(1000).to(2000));
    const auto saveChecked = [this](const char* text) { return run.saveRecord(text, into(type), &type).result; };
    EXPECT_EQ(saveChecked("1000-1001"), Result::Overlap); // the same start second
    EXPECT_EQ(saveChecked("500-1000"), Result::Overlap);  // touching counts, as for the manual entry
    EXPECT_EQ(saveChecked("1500-2500"), Result::Overlap);
    EXPECT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(run.m_stored, 0);
    EXPECT_EQ(saveChecked("2001-2100"), Result::Stored);
    EXPECT_EQ(type.m_records[1].m_run, 1);
}
