#include "dialogs/entry_logic/manual_entry.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"

#include <gtest/gtest.h>

namespace {

constexpr CalendarTime kTen = 1'700'000'000; // any moment; times below are offsets from it

// Measurements 1 to 4, two runs each, 100 s apart from 0 on.
TrainingType fourMeasurements()
{
    TrainingType type;
    for (int measurement = 1; measurement <= 4; ++measurement)
        for (int run = 1; run <= 2; ++run) {
            const CalendarTime start = kTen + ((measurement - 1) * 2 + run - 1) * 100;
            type.m_records.add(record().measurement(measurement).run(run).from(start).to(start + 50));
        }
    return type;
}

} // namespace

TEST(ManualEntry, EmptyTrainingTypeAcceptsOnlyNumberOne)
{
    const TrainingType empty;
    EXPECT_EQ(checkManualInterval(empty, "0", kTen, kTen + 20, false).refusal, ManualEntryRefusal::ZeroNumber);
    EXPECT_EQ(checkManualInterval(empty, "2", kTen, kTen + 20, false).refusal, ManualEntryRefusal::NumberNotHighest);
    const ManualEntryOutcome one = checkManualInterval(empty, "1", kTen, kTen + 20, true);
    ASSERT_EQ(one.refusal, ManualEntryRefusal::None);
    IntervalRecord expected = record().measurement(1).run(1).from(kTen).to(kTen + 20);
    expected.m_uddhacca = 1;
    EXPECT_EQ(one.entry, expected);
}

TEST(ManualEntry, NumberTextIsReadLikeAtoiAndKeptTo16Bits)
{
    EXPECT_EQ(parseMeasurementNumber("abc"), 0);
    EXPECT_EQ(parseMeasurementNumber(""), 0);
    EXPECT_EQ(parseMeasurementNumber("  5x"), 5);
    EXPECT_EQ(parseMeasurementNumber("65535"), 65535);
    EXPECT_EQ(parseMeasurementNumber("65536"), 0);
    EXPECT_EQ(parseMeasurementNumber("65537"), 1);
    EXPECT_EQ(parseMeasurementNumber("-1"), 65535);

    const TrainingType empty;
    EXPECT_EQ(checkManualInterval(empty, "abc", kTen, kTen + 20, false).refusal, ManualEntryRefusal::ZeroNumber);
    EXPECT_EQ(checkManualInterval(empty, "65536", kTen, kTen + 20, false).refusal, ManualEntryRefusal::ZeroNumber);
    const ManualEntryOutcome wrapped = checkManualInterval(empty, "65537", kTen, kTen + 20, false);
    ASSERT_EQ(wrapped.refusal, ManualEntryRefusal::None);
    EXPECT_EQ(wrapped.entry.m_measurement, 1);
}

TEST(ManualEntry, NumberMustBeHighestOrOneAbove)
{
    const TrainingType type = fourMeasurements();
    EXPECT_FALSE(isValidMeasurementNumber(type, 3));
    EXPECT_TRUE(isValidMeasurementNumber(type, 4));
    EXPECT_TRUE(isValidMeasurementNumber(type, 5));
    EXPECT_FALSE(isValidMeasurementNumber(type, 6));

    // At the top of the 16-bit range the number one above does not exist.
    TrainingType full;
    full.m_records.add(record().measurement(65535).run(1).from(kTen).to(kTen + 10));
    EXPECT_TRUE(isValidMeasurementNumber(full, 65535));
    EXPECT_FALSE(isValidMeasurementNumber(full, 0));
    EXPECT_FALSE(isValidMeasurementNumber(full, 1));
    TrainingType belowTop;
    belowTop.m_records.add(record().measurement(65534).run(1).from(kTen).to(kTen + 10));
    EXPECT_TRUE(isValidMeasurementNumber(belowTop, 65535));
}

TEST(ManualEntry, RunNumbersCountUpPerMeasurement)
{
    TrainingType type = fourMeasurements();
    EXPECT_EQ(nextRunNumber(type, 4), 3);
    EXPECT_EQ(nextRunNumber(type, 5), 1);

    const CalendarTime later = kTen + 10'000;
    ManualEntryOutcome first = checkManualInterval(type, "5", later, later + 30, false);
    ASSERT_EQ(first.refusal, ManualEntryRefusal::None);
    type.m_records.add(first.entry);
    ManualEntryOutcome second = checkManualInterval(type, "5", later + 100, later + 130, false);
    ASSERT_EQ(second.refusal, ManualEntryRefusal::None);
    EXPECT_EQ(first.entry.m_run, 1);
    EXPECT_EQ(second.entry.m_run, 2);
    EXPECT_EQ(second.entry.m_measurement, 5);

    // Run numbers are found wherever the measurement's records lie in the list.
    TrainingType unordered;
    unordered.m_records.add(record().measurement(7).run(9).from(kTen).to(kTen + 1));
    unordered.m_records.add(record().measurement(8).run(1).from(kTen + 5).to(kTen + 6));
    unordered.m_records.add(record().measurement(7).run(2).from(kTen + 9).to(kTen + 10));
    EXPECT_EQ(nextRunNumber(unordered, 7), 10);
    unordered.m_records.add(record().measurement(8).run(65535).from(kTen + 20).to(kTen + 21));
    EXPECT_EQ(nextRunNumber(unordered, 8), 0);
    const ManualEntryOutcome full = checkManualInterval(unordered, "8", kTen + 100, kTen + 130, false);
    EXPECT_EQ(full.refusal, ManualEntryRefusal::RunTooLarge);
    EXPECT_STREQ(refusalMessage(full.refusal), "Error: The run number 65536 is higher than 65535, the highest run "
                                               "number. The interval was not stored.");
}

TEST(ManualEntry, TouchingAndEnclosingRangesOverlap)
{
    TrainingType type;
    type.m_records.add(record().measurement(1).run(1).from(kTen + 100).to(kTen + 200));
    EXPECT_FALSE(isFreeTimeRange(type, kTen + 200, kTen + 300)); // begins where it ended
    EXPECT_TRUE(isFreeTimeRange(type, kTen + 201, kTen + 300));
    EXPECT_FALSE(isFreeTimeRange(type, kTen + 50, kTen + 100)); // ends where it began
    EXPECT_TRUE(isFreeTimeRange(type, kTen + 50, kTen + 99));
    EXPECT_FALSE(isFreeTimeRange(type, kTen + 50, kTen + 250));  // encloses it
    EXPECT_FALSE(isFreeTimeRange(type, kTen + 120, kTen + 180)); // lies inside it

    // Records of other measurements and days count as well.
    type.m_records.add(record().measurement(2).run(1).from(kTen + 86'400).to(kTen + 86'500));
    EXPECT_FALSE(isFreeTimeRange(type, kTen + 86'450, kTen + 86'600));
    EXPECT_EQ(checkManualInterval(type, "2", kTen + 200, kTen + 300, false).refusal, ManualEntryRefusal::Overlap);
    EXPECT_EQ(checkManualInterval(type, "2", kTen + 201, kTen + 300, false).refusal, ManualEntryRefusal::None);
}

TEST(ManualEntry, ChecksRunInOrderAndTheFirstRefusalIsReported)
{
    const TrainingType type = fourMeasurements();
    // Everything wrong at once: the end check comes first.
    EXPECT_EQ(checkManualInterval(type, "0", kTen + 10, kTen + 10, false).refusal,
              ManualEntryRefusal::EndNotAfterStart);
    EXPECT_EQ(checkManualInterval(type, "0", kTen + 10, kTen + 5, false).refusal, ManualEntryRefusal::EndNotAfterStart);
    // A wrong number and an overlap: the number check comes first.
    EXPECT_EQ(checkManualInterval(type, "3", kTen, kTen + 20, false).refusal, ManualEntryRefusal::NumberNotHighest);
    EXPECT_EQ(checkManualInterval(type, "4", kTen, kTen + 20, false).refusal, ManualEntryRefusal::Overlap);

    EXPECT_STREQ(refusalMessage(ManualEntryRefusal::EndNotAfterStart), "Error: End time <= start time");
    EXPECT_STREQ(refusalMessage(ManualEntryRefusal::ZeroNumber), "Error: Measurement number must not be 0.");
    EXPECT_STREQ(refusalMessage(ManualEntryRefusal::NumberNotHighest),
                 "Error: The measurement number must either be the highest measurement number or the highest "
                 "measurement number + 1.");
    EXPECT_STREQ(refusalMessage(ManualEntryRefusal::Overlap), "Error: Invalid time range. Time ranges overlap");
}

TEST(ManualEntry, ProposesTheNextInterval)
{
    const CalendarTime t10 = kTen; // stands for 10:00:00
    const IntervalProposal afterTen = proposeNextInterval(t10, t10 + 600);
    EXPECT_EQ(afterTen.timeStart, t10 + 620); // 10:10:20
    EXPECT_EQ(afterTen.timeEnd, t10 + 1200);  // 10:20:00
    const IntervalProposal afterShort = proposeNextInterval(t10, t10 + 15);
    EXPECT_EQ(afterShort.timeStart, t10 + 35); // 10:00:35
    EXPECT_EQ(afterShort.timeEnd, t10 + 55);   // 10:00:55
    const IntervalProposal afterTwentyOne = proposeNextInterval(t10, t10 + 21);
    EXPECT_EQ(afterTwentyOne.timeStart, t10 + 41); // 10:00:41
    EXPECT_EQ(afterTwentyOne.timeEnd, t10 + 42);   // 10:00:42
    const IntervalProposal afterTwenty = proposeNextInterval(t10, t10 + 20);
    EXPECT_EQ(afterTwenty.timeEnd - afterTwenty.timeStart, 20);
}
