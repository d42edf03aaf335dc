#include "records/interval_merge.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

namespace {

constexpr CalendarTime kMorning = 1'780'000'000;
constexpr CalendarTime kDay = 86'400;

// A sitting of `runs` intervals of 10 minutes, 20 seconds apart, on the given day.
std::vector<IntervalRecord> sitting(int measurement, int day, int runs = 2, TimeSpan offset = 0)
{
    std::vector<IntervalRecord> records;
    CalendarTime start = kMorning + day * kDay + offset;
    for (int run = 1; run <= runs; ++run) {
        records.push_back(record().measurement(measurement).run(run).from(start).lasting(600).uddhacca(run == runs));
        start += 620;
    }
    return records;
}

void add(std::vector<IntervalRecord>& to, const std::vector<IntervalRecord>& records)
{
    to.insert(to.end(), records.begin(), records.end());
}

struct Documents {
    Documents() { into.onNewDocument(); }
    void append(int type, const std::vector<IntervalRecord>& records)
    {
        for (const IntervalRecord& r : records)
            into.apply(AppendInterval{type, r});
    }
    std::vector<IntervalRecord> records(int type) const
    {
        const auto& list = into.trainingType(type).m_records;
        return {list.begin(), list.end()};
    }
    // Applies the merge as the program does.
    void apply(const IntervalMerge& merge)
    {
        for (const InsertRecords& edit : merge.edits())
            into.apply(edit);
    }
    TrainingDocument into;
};

ImportedTrainingType named(int defaultType, std::vector<IntervalRecord> records)
{
    return {TrainingDocument::kDefaultTrainingTypeNames[static_cast<std::size_t>(defaultType)], std::move(records)};
}

std::vector<std::uint16_t> numbers(const std::vector<IntervalRecord>& records)
{
    std::vector<std::uint16_t> result;
    for (const IntervalRecord& r : records)
        result.push_back(r.m_measurement);
    return result;
}

} // namespace

TEST(IntervalMerge, TwoCopiesOfADocumentJoinWithoutDuplicatesAndTheirOwnSittingsRenumbered)
{
    // Both computers hold sittings 1 and 2; since then the laptop recorded 3 on day 5,
    // the desktop its own 3 and 4 on days 3 and 4 and 5 on day 6.
    Documents docs;
    docs.append(0, sitting(1, 0));
    docs.append(0, sitting(2, 1));
    docs.append(0, sitting(3, 5));
    const std::vector<IntervalRecord> before = docs.records(0);
    std::vector<IntervalRecord> desktop = sitting(1, 0);
    add(desktop, sitting(2, 1));
    add(desktop, sitting(3, 3, 3));
    add(desktop, sitting(4, 4));
    add(desktop, sitting(5, 6));

    const IntervalMerge merge(docs.into, {named(0, desktop)});
    EXPECT_EQ(merge.count(0).added, 7);
    EXPECT_EQ(merge.count(0).skipped, 4);
    EXPECT_EQ(merge.count(0).renumberedSittings, 3);
    ASSERT_EQ(merge.edits().size(), 1u);
    docs.apply(merge);

    // The present records stay in front, untouched; the desktop's sittings follow as
    // 4, 5 and 6 in the order of their start, with their runs.
    const std::vector<IntervalRecord> after = docs.records(0);
    ASSERT_EQ(after.size(), 13u);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    EXPECT_EQ(numbers(after), (std::vector<std::uint16_t>{1, 1, 2, 2, 3, 3, 4, 4, 4, 5, 5, 6, 6}));
    IntervalRecord third = sitting(3, 3, 3)[2];
    third.m_measurement = 4;
    EXPECT_EQ(after[8], third);
    EXPECT_EQ(merge.countsText(), "Apana Jhavari (Samatha Bhavana): 7 added, 4 skipped, 3 sittings renumbered\n"
                                  "Kanika Jhavari (Vipassana Bhavana): 0 added, 0 skipped\n"
                                  "Apana Jhavari (Metta Bhavana): 0 added, 0 skipped\n");

    // Merged again, everything is there already.
    const IntervalMerge again(docs.into, {named(0, desktop)});
    EXPECT_EQ(again.addedCount(), 0);
    EXPECT_EQ(again.count(0).skipped, 11);
    EXPECT_TRUE(again.edits().empty());
}

TEST(IntervalMerge, ASittingCutShortInOneCopyIsCompletedUnderItsOwnNumber)
{
    // A conflict copy saved while sitting 2 had one run; the file has all three, and a duplicate line.
    Documents docs;
    docs.append(0, sitting(1, 0));
    docs.append(0, {sitting(2, 1, 3)[0]});
    docs.append(0, sitting(3, 2));
    std::vector<IntervalRecord> full = sitting(2, 1, 3);
    full.push_back(full.back());

    const IntervalMerge merge(docs.into, {named(0, full)});
    EXPECT_EQ(merge.count(0).added, 2);
    EXPECT_EQ(merge.count(0).skipped, 2);
    EXPECT_EQ(merge.count(0).renumberedSittings, 0);
    docs.apply(merge);
    const std::vector<IntervalRecord> after = docs.records(0);
    // The missing runs go in behind run 1 of sitting 2, before sitting 3.
    EXPECT_EQ(numbers(after), (std::vector<std::uint16_t>{1, 1, 2, 2, 2, 3, 3}));
    EXPECT_EQ(after[3], full[1]);
    EXPECT_EQ(after[4], full[2]);
}

TEST(IntervalMerge, TypesGoByNameAndUnknownNamesByPlace)
{
    Documents docs;
    const std::vector<IntervalRecord> metta = sitting(1, 0);
    const std::vector<IntervalRecord> unknown = sitting(1, 1);
    const std::vector<IntervalRecord> samatha = sitting(1, 2);
    // The file names the third type first and holds an unknown name at place 1. The
    // uddhacca flag counts: the same times ended otherwise are another interval.
    std::vector<IntervalRecord> otherEnding = samatha;
    for (IntervalRecord& r : otherEnding)
        r.m_uddhacca = r.m_uddhacca ? 0 : 1;
    const ImportedTypes file = {named(2, metta), {"Walking", unknown}, named(0, samatha)};
    const IntervalMerge merge(docs.into, file);
    docs.apply(merge);
    EXPECT_EQ(docs.records(0), samatha);
    EXPECT_EQ(docs.records(1), unknown);
    EXPECT_EQ(docs.records(2), metta);

    const IntervalMerge second(docs.into, {named(0, otherEnding)});
    EXPECT_EQ(second.count(0).added, 2);
    EXPECT_EQ(second.count(0).renumberedSittings, 1);
}

TEST(IntervalMerge, ImportedSittingsBeyondTheHighestNumberAreRefusedWhole)
{
    Documents docs;
    docs.append(0, sitting(65534, 0, 1));
    std::vector<IntervalRecord> file = sitting(65534, 1, 1);
    add(file, sitting(65535, 2, 1));
    const IntervalMerge fits(docs.into, {named(0, {file[0]})});
    EXPECT_FALSE(fits.numbersExhausted());
    EXPECT_EQ(numbers({fits.edits()[0].records[0].record}), std::vector<std::uint16_t>{65535});

    const IntervalMerge exhausted(docs.into, {named(0, file), named(1, sitting(1, 3))});
    EXPECT_TRUE(exhausted.numbersExhausted());
    EXPECT_TRUE(exhausted.edits().empty()) << "not even the other training type gains records";
    EXPECT_EQ(exhausted.addedCount(), 0);
}

TEST(IntervalMerge, ALargeImportComesInEditsOfTheSizeTheJournalHolds)
{
    Documents docs;
    docs.append(0, sitting(1, 0));
    docs.append(0, sitting(3, 400));
    const std::size_t count = 2 * IntervalMerge::kRecordsPerEdit + 1;
    std::vector<IntervalRecord> file;
    for (std::size_t i = 0; i < count; ++i)
        file.push_back(
            record().measurement(2).run(static_cast<int>(i % 60000 + 1)).from(kMorning + kDay + i * 60).lasting(50));
    const IntervalMerge merge(docs.into, {named(0, file)});
    ASSERT_EQ(merge.edits().size(), 3u);
    EXPECT_EQ(merge.edits()[2].records.size(), 1u);
    docs.apply(merge);
    const std::vector<IntervalRecord> after = docs.records(0);
    ASSERT_EQ(after.size(), count + 4);
    EXPECT_TRUE(std::equal(file.begin(), file.end(), after.begin() + 2)) << "between sittings 1 and 3, in order";
    EXPECT_EQ(after.back(), sitting(3, 400).back());
}
