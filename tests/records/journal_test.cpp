#include "records/journal_format.h"
#include "records/journal_lock.h"
#include "records/journal_replay.h"
#include "records/journal_writer.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

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

JournalWriter::FileNames onlyName(const std::string& path)
{
    return [path](int number) { return number == 1 ? path : std::string(); };
}

// A document whose edits go to a journal in a temporary folder.
struct JournalledDocument {
    JournalledDocument()
    {
        doc.onNewDocument();
        writer.begin(onlyName(path), headerFor("/home/u/practice.con"));
        doc.setJournal(&writer);
    }
    TempDir dir;
    const std::string path = dir.file("doc.journal");
    TrainingDocument doc;
    JournalWriter writer;
};

// Runs once just before the next lock is taken: what another program does between a taker's open and lock.
std::function<void()> beforeTheNextLock;

} // namespace

// Stands in for the system's flock in this test program, to let another program act at that moment.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow" // the function flock beside the struct flock, as the system has them
extern "C" int flock(int fd, int operation) noexcept
{
    if (beforeTheNextLock)
        std::exchange(beforeTheNextLock, nullptr)();
    static const auto systemFlock = reinterpret_cast<int (*)(int, int)>(::dlsym(RTLD_NEXT, "flock"));
    return systemFlock(fd, operation);
}
#pragma GCC diagnostic pop

TEST(Journal, EveryKindOfEditIsWrittenAndReplayedOntoTheDocument)
{
    JournalledDocument journalled;
    const std::string& path = journalled.path;
    TrainingDocument& edited = journalled.doc;
    JournalWriter& writer = journalled.writer;

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

    const JournalSummary summary = summarizeJournal(path);
    ASSERT_TRUE(summary.hasHeader);
    EXPECT_FALSE(summary.damaged);
    EXPECT_EQ(summary.header.m_documentPath, "/home/u/practice.con");
    EXPECT_EQ(summary.header.m_identity, headerFor("").m_identity);
    EXPECT_EQ(summary.entries, 10);
    EXPECT_EQ(summary.appendedIntervals, 4);
    EXPECT_NEAR(static_cast<double>(summary.lastIntervalWrittenAt), static_cast<double>(std::time(nullptr)), 5);

    TrainingDocument recovered;
    recovered.onNewDocument();
    std::optional<JournalReader> reader = JournalReader::openFile(path);
    ASSERT_TRUE(reader);
    EXPECT_EQ(replayJournal(recovered, *reader, false).applied, 10);
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

TEST(Journal, AnIntervalBeingTimedIsKeptAtItsLastSignOfLifeUntilItEnds)
{
    JournalledDocument journalled;
    const std::string& path = journalled.path;
    TrainingDocument& edited = journalled.doc;
    JournalWriter& writer = journalled.writer;
    const auto running = [&edited](int run, CalendarTime start, TimeSpan seconds) {
        edited.keepRunningInterval({0, record().measurement(3).run(run).from(start).lasting(seconds).uddhacca()});
    };
    // An interval that ended is no longer running.
    running(1, 1000, 0);
    running(1, 1000, 20);
    append(edited, edited.trainingTypes()[0], record().measurement(3).run(1).from(1000).lasting(40));
    for (TimeSpan seconds = 0; seconds <= 22; ++seconds)
        running(2, 2000, seconds);
    writer.waitUntilSynced();
    const JournalSummary summary = summarizeJournal(path);
    EXPECT_EQ(summary.appendedIntervals, 1);
    ASSERT_TRUE(summary.interrupted);
    EXPECT_EQ(*summary.interrupted, record().measurement(3).run(2).from(2000).lasting(20).uddhacca().build());

    // A save begins the journal anew: the running interval goes into the new one at once.
    writer.discard();
    running(2, 2000, 23);
    writer.waitUntilSynced();
    ASSERT_TRUE(summarizeJournal(path).interrupted);
    EXPECT_EQ(summarizeJournal(path).interrupted->m_timeEnd, 2023);
}

TEST(Journal, RecoveryOntoAChangedFileKeepsEveryRecordOnceWithRisingNumbersAndWholeStepsOnly)
{
    const IntervalRecord a = record().measurement(1).run(1).from(1000).lasting(60);
    const IntervalRecord b = record().measurement(2).run(1).from(2000).lasting(60);
    const IntervalRecord c = record().measurement(3).run(1).from(3000).lasting(60);
    const IntervalRecord d1 = record().measurement(4).run(1).from(4000).lasting(60);
    const IntervalRecord d2 = record().measurement(4).run(2).from(4100).lasting(60);
    // This program's document: c recorded, undone and redone, d imported as one step, b deleted.
    JournalledDocument journalled;
    TrainingDocument& edited = journalled.doc;
    edited.setJournal(nullptr);
    edited.apply(InsertRecords{0, {{0, a}, {1, b}}}); // as loaded
    edited.setJournal(&journalled.writer);
    edited.apply(edited.apply(edited.apply(AppendInterval{0, c})));
    edited.beginStep();
    edited.apply(InsertRecords{0, {{3, d1}}});
    edited.apply(InsertRecords{0, {{4, d2}}});
    edited.endStep();
    edited.apply(RemoveRecords{0, {{1, b}}});
    // A record that no recording gives is no part of the journal, nor is what follows it.
    std::vector<std::uint8_t> impossible;
    appendEditFrame(impossible, 0, AppendInterval{0, record().measurement(9).from(9000).to(8000)});
    appendEditFrame(impossible, 0, AppendInterval{0, record().measurement(9).from(9000).lasting(1)});
    journalled.writer.waitUntilSynced();
    std::ofstream(journalled.path, std::ios::app | std::ios::binary)
        .write(reinterpret_cast<const char*>(impossible.data()), static_cast<std::streamsize>(impossible.size()));
    const std::vector<std::uint8_t> bytes = readBytes(journalled.path);

    // Meanwhile another copy gave number 3 to a sitting of its own. The
    // journal, cut anywhere by a crash, brings each record once, the import
    // all or none, with the numbers rising along the list.
    const IntervalRecord x = record().measurement(3).run(1).from(2500).lasting(60);
    TempDir dir;
    const std::string cutJournal = dir.file("cut.journal");
    int cutInsideTheImport = 0;
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        writeBytes(cutJournal, {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)});
        const JournalSummary summary = summarizeJournal(cutJournal);
        TrainingDocument other;
        other.onNewDocument();
        other.apply(InsertRecords{0, {{0, a}, {1, b}, {2, x}}});
        std::optional<JournalReader> reader = JournalReader::openFile(cutJournal);
        ASSERT_TRUE(reader);
        reader->stopAt(summary.completeLength);
        replayJournal(other, *reader, true);
        const IntervalRecordList& got = other.trainingTypes()[0].m_records;
        int imported = 0;
        for (int i = 0; i < got.size(); ++i) {
            ASSERT_TRUE(i == 0 || got[i - 1].m_measurement <= got[i].m_measurement) << cut;
            ASSERT_EQ(std::count(got.begin(), got.end(), got[i]), 1) << cut;
            imported += got[i].m_timeStart >= 4000 ? 1 : 0;
        }
        ASSERT_TRUE(imported == 0 || imported == 2) << cut;
        cutInsideTheImport += summary.stepLeftOut ? 1 : 0;
        if (cut == bytes.size()) {
            EXPECT_TRUE(summary.damaged);
            const std::vector<IntervalRecord> whole = {a, x, record().measurement(4).run(1).from(3000).lasting(60),
                                                       record().measurement(5).run(1).from(4000).lasting(60),
                                                       record().measurement(5).run(2).from(4100).lasting(60)};
            EXPECT_TRUE(std::equal(got.begin(), got.end(), whole.begin(), whole.end()));
        }
    }
    EXPECT_GT(cutInsideTheImport, 0);
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

    const auto readAll = [](JournalReader& reader) {
        std::vector<JournalEntry> entries;
        while (std::optional<JournalEntry> entry = reader.next())
            entries.push_back(*entry);
        return entries;
    };
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        JournalReader reader = JournalReader::fromMemory(bytes.data(), cut);
        const std::vector<JournalEntry> entries = readAll(reader);
        std::size_t complete = 0;
        while (complete < entryEnds.size() && entryEnds[complete] <= cut)
            ++complete;
        ASSERT_EQ(reader.hasHeader(), cut >= headerEnd) << cut;
        ASSERT_EQ(entries.size(), complete) << cut;
        const bool atBoundary = cut == 0 || cut == sizeof kJournalMagic || cut == headerEnd ||
                                (complete > 0 && entryEnds[complete - 1] == cut);
        EXPECT_EQ(reader.isDamaged(), !atBoundary) << cut;
        EXPECT_EQ(reader.completeLength(), complete > 0 ? entryEnds[complete - 1] : (cut >= headerEnd ? headerEnd : 0))
            << cut;
        for (std::size_t i = 0; i < complete; ++i)
            EXPECT_EQ(entries[i].m_writtenAt, static_cast<std::int64_t>(10 + i));
    }

    // A byte overwritten in the fourth entry leaves the three before it.
    bytes[entryEnds[2] + 12] ^= 0x40;
    JournalReader damaged = JournalReader::fromMemory(bytes.data(), bytes.size());
    EXPECT_EQ(readAll(damaged).size(), 3u);
    EXPECT_TRUE(damaged.isDamaged());
}

TEST(Journal, ItAndItsLockFileAreMadeByAnEditAndGoWhenItIsDiscarded)
{
    TempDir dir;
    const std::string path = dir.file("doc.journal");
    const std::string lockFile = path + ".lock";
    TrainingDocument doc;
    doc.onNewDocument();
    {
        JournalWriter writer;
        doc.setJournal(&writer);
        writer.begin(onlyName(path), headerFor(""));
        doc.apply(SetTimeSound{true}); // no edit of the records
        EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

        append(doc, doc.trainingTypes()[0], record().measurement(1).run(1).from(1000).lasting(90));
        EXPECT_TRUE(std::filesystem::exists(lockFile));
        writer.discard();
        EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "neither the journal nor its lock file is left";

        append(doc, doc.trainingTypes()[0], record().measurement(1).run(2).from(2000).lasting(90));
        writer.waitUntilSynced();
        EXPECT_EQ(summarizeJournal(path).entries, 1);
        doc.setJournal(nullptr);
    }
    // A program ending without a save leaves the journal for the next one, not its lock file.
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(lockFile));

    // A recovered journal goes on after its last complete entry; what a crash cut off goes.
    const std::uint64_t complete = std::filesystem::file_size(path);
    std::ofstream(path, std::ios::app) << "cut";
    JournalWriter writer;
    doc.setJournal(&writer);
    JournalLock lock;
    ASSERT_TRUE(lock.acquire(path));
    writer.resume(std::move(lock), complete);
    append(doc, doc.trainingTypes()[0], record().measurement(1).run(3).from(3000).lasting(90));
    writer.waitUntilSynced();
    const JournalSummary resumed = summarizeJournal(path);
    EXPECT_EQ(resumed.appendedIntervals, 2);
    EXPECT_FALSE(resumed.damaged);
    doc.setJournal(nullptr);
}

TEST(JournalLock, ALockOnTheFileItsHolderDeletedMeanwhileIsNotTaken)
{
    TempDir dir;
    const std::string journal = dir.file("doc.journal");
    JournalLock holder;
    ASSERT_TRUE(holder.acquire(journal));
    // The taker has opened the lock file when the holder lets go of it, and
    // then locks it: a file nobody finds under the name any more.
    JournalLock taker;
    beforeTheNextLock = [&] { holder.release(); };
    ASSERT_TRUE(taker.acquire(journal));
    EXPECT_FALSE(beforeTheNextLock) << "the holder let go in the middle";
    JournalLock third;
    EXPECT_FALSE(third.acquire(journal)) << "both would believe they hold the journal";
    EXPECT_EQ(errno, EWOULDBLOCK);

    taker.release();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "no lock file is left";
}

TEST(Journal, APipeInTheJournalsPlaceIsNoJournalAndDoesNotHang)
{
    TempDir dir;
    const std::string path = dir.file("doc.journal");
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_FALSE(JournalReader::openFile(path).has_value());
    EXPECT_TRUE(summarizeJournal(path).isEmpty());
}

TEST(Journal, AfterAFullDiskTheJournalGoesOnFromItsLastCompleteEntry)
{
    // A tiny file system of its own, which the test fills up.
    TempDir dir;
    const std::string mountPoint = dir.file("tiny");
    std::filesystem::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=16k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here (needs root): " << std::strerror(errno);
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount(path.c_str()); }
    } unmount{mountPoint};
    const std::string path = mountPoint + "/doc.journal";
    const std::string filler = mountPoint + "/filler";

    TrainingDocument doc;
    doc.onNewDocument();
    JournalWriter writer;
    std::vector<bool> protection;
    writer.setProtectionHandler([&protection](bool protecting, int) { protection.push_back(protecting); });
    writer.begin(onlyName(path), headerFor("/home/u/practice.con"));
    doc.setJournal(&writer);
    append(doc, doc.trainingTypes()[0], record().measurement(1).run(1).from(1000).lasting(90));
    writer.waitUntilSynced();
    // Fill the rest of the disk; the journal's entries then fill its last page until one is cut short.
    {
        std::ofstream fill(filler, std::ios::binary);
        const std::string block(512, 'x');
        while (fill.write(block.data(), static_cast<std::streamsize>(block.size())))
            fill.flush();
    }
    int written = 1;
    int run = 2;
    const auto record = [&] {
        append(doc, doc.trainingTypes()[0], ::record().measurement(1).run(run).from(1000 * run).lasting(90));
        ++run;
    };
    while (writer.isProtecting() && run < 1000) {
        record();
        written += writer.isProtecting() ? 1 : 0;
    }
    ASSERT_FALSE(writer.isProtecting()) << "the disk never filled";
    EXPECT_EQ(writer.lastError(), ENOSPC);
    record(); // still no room: lost as well

    // Room again: the next entries follow the last complete one and are read back.
    std::filesystem::remove(filler);
    record();
    record();
    written += 2;
    writer.waitUntilSynced();
    EXPECT_TRUE(writer.isProtecting());
    EXPECT_EQ(protection, (std::vector<bool>{false, true})) << "told once each way";
    const JournalSummary summary = summarizeJournal(path);
    EXPECT_FALSE(summary.damaged);
    EXPECT_EQ(summary.appendedIntervals, written);
    doc.setJournal(nullptr);
}
