#include "entry_test_support.h"
#include "phone_record.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

// A run of measurement 12 without daylight-saving shift, into a fresh type.
struct PhoneRun : ::testing::Test {
    TrainingType type;
    CPhoneRecordRun run{12, 0};

    CPhoneRecordRun::Result Save(const std::string& text) { return run.SaveRecord(text, &type).result; }
};

using Result = CPhoneRecordRun::Result;

} // namespace

TEST(PhoneRecordText, SeparatorNumbersAndUddhacca)
{
    const auto normal = ParsePhoneRecord("100-400");
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->dwStart, 100u);
    EXPECT_EQ(normal->dwEnd, 400u);
    EXPECT_FALSE(normal->bUddhacca);

    for (const char* text : {"100x400", "100X400", "100-400x", "100-400 X"}) {
        const auto record = ParsePhoneRecord(text);
        ASSERT_TRUE(record) << text;
        EXPECT_EQ(record->dwStart, 100u) << text;
        EXPECT_EQ(record->dwEnd, 400u) << text;
        EXPECT_TRUE(record->bUddhacca) << text;
    }

    const auto blanks = ParsePhoneRecord("100 - 200");
    ASSERT_TRUE(blanks);
    EXPECT_EQ(blanks->dwStart, 100u);
    EXPECT_EQ(blanks->dwEnd, 200u);

    EXPECT_FALSE(ParsePhoneRecord(""));
    EXPECT_FALSE(ParsePhoneRecord("100 200"));
    // The first separator splits; a minus sign after it belongs to the end.
    const auto negativeEnd = ParsePhoneRecord("5--100");
    ASSERT_TRUE(negativeEnd);
    EXPECT_EQ(negativeEnd->dwEnd, 4294967196u);
    const auto leading = ParsePhoneRecord("-100");
    ASSERT_TRUE(leading);
    EXPECT_EQ(leading->dwStart, 0u);
    // Text in other scripts around the numbers does not disturb the split.
    const auto umlaut = ParsePhoneRecord("100\xC3\xA4-200");
    ASSERT_TRUE(umlaut);
    EXPECT_EQ(umlaut->dwStart, 100u);
    EXPECT_EQ(umlaut->dwEnd, 200u);
}

TEST_F(PhoneRun, EachRecordMustBeginAfterThePreviousEnded)
{
    EXPECT_EQ(run.Caption(), "Mess-Nr. 12, Lauf-Nr. 1:");
    EXPECT_EQ(Save("100-200"), Result::Stored);
    EXPECT_EQ(run.Caption(), "Mess-Nr. 12, Lauf-Nr. 2:");
    EXPECT_EQ(Save("150-300"), Result::Invalid);
    EXPECT_EQ(Save("200-300"), Result::Invalid);
    EXPECT_EQ(run.Caption(), "Mess-Nr. 12, Lauf-Nr. 2:");
    EXPECT_EQ(Save("201-300"), Result::Stored);
    EXPECT_EQ(run.Caption(), "Mess-Nr. 12, Lauf-Nr. 3:");

    ASSERT_EQ(type.m_aEntries.GetSize(), 2);
    EXPECT_EQ(type.m_aEntries[0].m_timeStart, 100);
    EXPECT_EQ(type.m_aEntries[0].m_timeEnd, 200);
    EXPECT_EQ(type.m_aEntries[0].m_nMeasurement, 12);
    EXPECT_EQ(type.m_aEntries[0].m_nRun, 1);
    EXPECT_EQ(type.m_aEntries[1].m_timeStart, 201);
    EXPECT_EQ(type.m_aEntries[1].m_nRun, 2);
    EXPECT_EQ(run.m_dwLastEnd, 300u);
}

TEST_F(PhoneRun, RefusedTextsChangeNothing)
{
    for (const char* text : {"0-200", "200-100", "200-200", "-100", "", "100 200", "100-", "abc"}) {
        EXPECT_EQ(Save(text), Result::Invalid) << text;
        EXPECT_EQ(run.m_nStored, 0) << text;
        EXPECT_EQ(run.m_dwLastEnd, CPhoneRecordRun::kNoRecordYet) << text;
    }
    EXPECT_EQ(type.m_aEntries.GetSize(), 0);
}

TEST_F(PhoneRun, UddhaccaByXAnywhereAndBlanksAroundTheNumbers)
{
    EXPECT_EQ(Save("100x200"), Result::Stored);
    EXPECT_EQ(Save("300X400"), Result::Stored);
    EXPECT_EQ(Save("500-600x"), Result::Stored);
    EXPECT_EQ(Save("700-800"), Result::Stored);
    EXPECT_EQ(Save("900 - 1000"), Result::Stored);
    ASSERT_EQ(type.m_aEntries.GetSize(), 5);
    EXPECT_EQ(type.m_aEntries[0].m_bUddhacca, 1);
    EXPECT_EQ(type.m_aEntries[1].m_bUddhacca, 1);
    EXPECT_EQ(type.m_aEntries[2].m_bUddhacca, 1);
    EXPECT_EQ(type.m_aEntries[3].m_bUddhacca, 0);
    EXPECT_EQ(type.m_aEntries[4].m_timeStart, 900);
    EXPECT_EQ(type.m_aEntries[4].m_timeEnd, 1000);
    EXPECT_EQ(type.m_aEntries[4].m_nRun, 5);
}

TEST(PhoneRecordRun, DaylightSavingShiftsTheStoredTimes)
{
    const ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    const CalendarTime july = MakeLocalTime(2026, 7, 1, 12, 0, 0);
    const CalendarTime january = MakeLocalTime(2026, 1, 15, 12, 0, 0);
    EXPECT_EQ(DstOffsetAt(july), 3600);
    EXPECT_EQ(DstOffsetAt(january), 0);

    TrainingType type;
    CPhoneRecordRun summer(1, DstOffsetAt(july));
    const CPhoneRecordRun::Outcome outcome = summer.SaveRecord("1000-2000", &type);
    ASSERT_TRUE(outcome.appended);
    EXPECT_EQ(outcome.appended->m_timeStart, 4600);
    EXPECT_EQ(outcome.appended->m_timeEnd, 5600);
    // The order check compares the phone's own numbers, not the shifted ones.
    EXPECT_EQ(summer.SaveRecord("2001-2100", &type).result, Result::Stored);

    // A negative end reads as a number near the top of the 32-bit range;
    // the shift must not wrap it round to a time before the start.
    CPhoneRecordRun top(1, 3600);
    const CPhoneRecordRun::Outcome high = top.SaveRecord("2147483000--1", &type);
    ASSERT_TRUE(high.appended);
    EXPECT_EQ(high.appended->m_timeEnd, 4294967295LL + 3600);
    EXPECT_GT(high.appended->m_timeEnd, high.appended->m_timeStart);

    const ScopedTimeZone utc("UTC0");
    EXPECT_EQ(DstOffsetAt(july), 0);
}

TEST(PhoneRecordRun, WithoutTrainingTypeRecordsCountButAreNotStored)
{
    CPhoneRecordRun run(1, 0);
    const CPhoneRecordRun::Outcome outcome = run.SaveRecord("100-200", nullptr);
    EXPECT_EQ(outcome.result, Result::Stored);
    EXPECT_FALSE(outcome.appended);
    EXPECT_EQ(run.m_nStored, 1);
    EXPECT_EQ(run.SaveRecord("150-300", nullptr).result, Result::Invalid);
}

TEST(PhoneRecordRun, MeasurementNumberAbove65535IsRefusedNotWrapped)
{
    TrainingType type;
    CPhoneRecordRun last(65535, 0);
    EXPECT_EQ(last.SaveRecord("100-200", &type).result, Result::Stored);
    ASSERT_EQ(type.m_aEntries.GetSize(), 1);
    EXPECT_EQ(type.m_aEntries[0].m_nMeasurement, 65535);

    CPhoneRecordRun beyond(65536, 0);
    EXPECT_EQ(beyond.Caption(), "Mess-Nr. 65536, Lauf-Nr. 1:");
    EXPECT_EQ(beyond.SaveRecord("300-400", &type).result, Result::MeasurementTooLarge);
    EXPECT_EQ(type.m_aEntries.GetSize(), 1);
    EXPECT_EQ(beyond.m_nStored, 0);
    EXPECT_NE(beyond.TooLargeMessage().find("65536"), std::string::npos);
}
