#include "records/journal_format.h"
#include "records/journal_writer.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

JournalHeader headerFor(const std::string& documentPath)
{
    JournalHeader header;
    header.m_documentPath = documentPath;
    header.m_identity.m_exists = true;
    header.m_identity.m_size = 4711;
    header.m_identity.m_modifiedNanoseconds = 123456789;
    header.m_identity.m_inode = 99;
    return header;
}

} // namespace

TEST(Journal, EveryKindOfEditIsWrittenAndReplayedOntoTheDocument)
{
    TempDir dir;
    const std::string path = dir.file("doc.journal");
    TrainingDocument edited;
    edited.onNewDocument();
    JournalWriter writer;
    writer.begin(path, headerFor("/home/u/practice.con"));
    edited.setJournal(&writer);

    const TrainingType& first = edited.trainingTypes()[0];
    const TrainingType& third = edited.trainingTypes()[2];
    const IntervalRecord deleted = record().measurement(1).run(1).from(1000).lasting(90);
    append(edited, first, deleted);
    append(edited, first, record().measurement(1).run(2).from(2000).lasting(90).uddhacca());
    append(edited, third, record().measurement(4).run(1).from(3000).lasting(90));
    const DocumentEdit undoDeletion = edited.apply(RemoveRecords{0, {{0, deleted}}});
    append(edited, first, record().measurement(2).run(1).from(2000).lasting(30));
    // Undo and redo reach the journal like any other edit.
    const DocumentEdit redoDeletion = edited.apply(undoDeletion);
    edited.apply(redoDeletion);
    changeSettings(edited, [&](DocumentSettings& s) { s.m_timeFilter = 77; });
    changeSettings(edited, [&](DocumentSettings& s) {
        s.m_soundFiles[soundEventIndex(SoundEvent::UddhaccaAlarm)] = "/sounds/gong.wav";
    });
    changeSettings(edited, [&](DocumentSettings& s) { s.m_trainingType = third.m_name; });
    writer.waitUntilSynced();
    EXPECT_EQ(writer.lastError(), 0);

    const JournalContents contents = readJournal(path);
    ASSERT_TRUE(contents.hasHeader());
    EXPECT_FALSE(contents.m_damaged);
    EXPECT_EQ(contents.m_header.m_documentPath, "/home/u/practice.con");
    EXPECT_EQ(contents.m_header.m_identity, headerFor("").m_identity);
    EXPECT_EQ(contents.m_entries.size(), 10u);
    EXPECT_EQ(contents.appendedIntervalCount(), 4);
    EXPECT_NEAR(static_cast<double>(contents.lastIntervalWrittenAt()), static_cast<double>(std::time(nullptr)), 5);

    TrainingDocument recovered;
    recovered.onNewDocument();
    replayJournal(recovered, contents.m_entries);
    for (int i = 0; i < TrainingDocument::kTrainingTypeCount; ++i) {
        const auto& want = edited.trainingTypes()[static_cast<std::size_t>(i)].m_records;
        const auto& got = recovered.trainingTypes()[static_cast<std::size_t>(i)].m_records;
        ASSERT_EQ(got.size(), want.size()) << i;
        for (int r = 0; r < want.size(); ++r)
            EXPECT_EQ(got[r], want[r]);
    }
    ASSERT_EQ(recovered.trainingTypes()[0].m_records.size(), 2);
    EXPECT_EQ(recovered.trainingTypes()[0].m_records[1].m_measurement, 2);
    EXPECT_EQ(recovered.settings().m_timeFilter, 77);
    EXPECT_EQ(recovered.settings().m_soundFiles[soundEventIndex(SoundEvent::UddhaccaAlarm)], "/sounds/gong.wav");
    EXPECT_EQ(recovered.settings().m_trainingType, third.m_name);
    EXPECT_TRUE(recovered.isModified());
}

TEST(Journal, AJournalCutAtAnyByteGivesEveryEntryWrittenCompletelyBeforeTheCut)
{
    std::vector<std::uint8_t> bytes;
    appendJournalMagic(bytes);
    appendHeaderFrame(bytes, headerFor("/a.con"));
    const std::size_t headerEnd = bytes.size();
    std::vector<std::size_t> entryEnds;
    DocumentSettings settings;
    settings.m_trainingType = "Kanika";
    for (int i = 0; i < 6; ++i) {
        const IntervalRecord interval = record().measurement(2).run(i).from(5000 + i).lasting(90);
        if (i % 3 == 0)
            appendEditFrame(bytes, 10 + i, AppendInterval{i % 3, interval});
        else if (i % 3 == 1)
            appendEditFrame(bytes, 10 + i, RemoveRecords{1, {{0, interval}, {4, interval}}});
        else
            appendEditFrame(bytes, 10 + i, ReplaceSettings{settings});
        entryEnds.push_back(bytes.size());
    }

    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        const JournalContents contents = parseJournal(bytes.data(), cut);
        std::size_t complete = 0;
        while (complete < entryEnds.size() && entryEnds[complete] <= cut)
            ++complete;
        ASSERT_EQ(contents.hasHeader(), cut >= headerEnd) << cut;
        ASSERT_EQ(contents.m_entries.size(), complete) << cut;
        const bool atBoundary = cut == 0 || cut == sizeof kJournalMagic || cut == headerEnd ||
                                (complete > 0 && entryEnds[complete - 1] == cut);
        EXPECT_EQ(contents.m_damaged, !atBoundary) << cut;
        for (std::size_t i = 0; i < complete; ++i)
            EXPECT_EQ(contents.m_entries[i].m_writtenAt, static_cast<std::int64_t>(10 + i));
    }

    // A byte overwritten in the fourth entry leaves the three before it.
    bytes[entryEnds[2] + 12] ^= 0x40;
    const JournalContents damaged = parseJournal(bytes.data(), bytes.size());
    EXPECT_EQ(damaged.m_entries.size(), 3u);
    EXPECT_TRUE(damaged.m_damaged);
}

TEST(Journal, ItIsMadeOnlyByAnEditAndADiscardedOneStartsAnew)
{
    TempDir dir;
    const std::string path = dir.file("doc.journal");
    TrainingDocument doc;
    doc.onNewDocument();
    JournalWriter writer;
    doc.setJournal(&writer);
    writer.begin(path, headerFor(""));
    doc.apply(SetTimeSound{true}); // no edit of the records
    EXPECT_FALSE(std::filesystem::exists(path));

    append(doc, doc.trainingTypes()[0], record().measurement(1).run(1).from(1000).lasting(90));
    writer.discard();
    EXPECT_FALSE(std::filesystem::exists(path));

    append(doc, doc.trainingTypes()[0], record().measurement(1).run(2).from(2000).lasting(90));
    writer.waitUntilSynced();
    const JournalContents contents = readJournal(path);
    ASSERT_EQ(contents.m_entries.size(), 1u);
    EXPECT_EQ(std::get<AppendInterval>(contents.m_entries[0].m_edit).record.m_timeStart, 2000);

    // Recovered entries come first in the journal that continues them.
    writer.beginWith(path, headerFor(""), contents.m_entries);
    append(doc, doc.trainingTypes()[0], record().measurement(1).run(3).from(3000).lasting(90));
    writer.waitUntilSynced();
    EXPECT_EQ(readJournal(path).appendedIntervalCount(), 2);
}
