#include "app/unsaved_changes_journal.h"

#include "app/document_framework.h"
#include "app/recent_file_list.h"
#include "records/document_file.h"
#include "records/journal_format.h"
#include "records/journal_replay.h"
#include "records/training_document.h"
#include "tests/app/test_doubles.h"
#include "tests/support/document_edits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Answer = MessageBox::Answer;

// One run of the program on one document: its end without a save stands for a crash.
struct Session {
    explicit Session(const QString& journalFolder) : journal(doc, journalFolder), framework(doc, recentFiles)
    {
        doc.setTitle(TrainingDocument::kUntitled);
        doc.onNewDocument();
        framework.setJournal(&journal);
    }
    void record(int count)
    {
        for (int i = 0; i < count; ++i) {
            IntervalRecord entry;
            entry.m_timeStart = 1'700'000'000 + 100 * ++recorded;
            entry.m_timeEnd = entry.m_timeStart + 60;
            entry.m_measurement = 2;
            entry.m_run = static_cast<std::uint16_t>(recorded);
            append(doc, doc.trainingTypes()[0], entry);
        }
        journal.writer().waitUntilSynced();
    }
    int intervalCount() const { return doc.trainingTypes()[0].m_records.size(); }

    TrainingDocument doc;
    RecentFileList recentFiles;
    UnsavedChangesJournal journal;
    DocumentFramework framework;
    int recorded = 0;
};

class UnsavedChangesJournalTest : public testing::Test {
protected:
    UnsavedChangesJournalTest() : m_folder(m_dir.filePath("journal")), m_document(m_dir.filePath("practice.con"))
    {
        TrainingDocument doc;
        doc.onNewDocument();
        append(doc, doc.trainingTypes()[0], IntervalRecord{1'600'000'000, 1'600'000'090, 0, 1, 1});
        saveDocumentFile(doc, QFile::encodeName(m_document).toStdString());
    }

    std::unique_ptr<Session> start(const QString& document)
    {
        auto session = std::make_unique<Session>(m_folder);
        if (document.isEmpty())
            session->framework.recoverUnsavedChanges(); // as at start-up
        else
            session->framework.openDocumentFile(document);
        return session;
    }
    int journalCount() const { return int(QDir(m_folder).entryList({"*.journal"}, QDir::Files).size()); }
    int lockFileCount() const { return int(QDir(m_folder).entryList({"*.lock"}, QDir::Files).size()); }
    int intervalsInFile() const
    {
        TrainingDocument doc;
        openDocumentFile(doc, QFile::encodeName(m_document).toStdString());
        return doc.trainingTypes()[0].m_records.size();
    }

    QTemporaryDir m_dir;
    QString m_folder;
    QString m_document;
    ScriptedMessageBoxes m_boxes;
    ScriptedFileDialogs m_dialogs;
};

} // namespace

TEST_F(UnsavedChangesJournalTest, ChangesCutShortAreOfferedAtTheNextOpenAndGoneOnceSaved)
{
    start(m_document)->record(2);
    EXPECT_EQ(journalCount(), 1);
    EXPECT_EQ(lockFileCount(), 0) << "the program ended";

    m_boxes.m_answers = {Answer::Yes};
    auto session = start(m_document);
    ASSERT_EQ(m_boxes.m_questions.size(), 1);
    EXPECT_TRUE(m_boxes.m_questions[0].startsWith(
        "Für practice.con wurden nicht gespeicherte Änderungen gefunden: 2 Intervalle, das letzte aufgezeichnet am "));
    EXPECT_TRUE(m_boxes.m_questions[0].endsWith(".\nÄnderungen wiederherstellen?"));
    EXPECT_EQ(m_boxes.m_defaults.front(), Answer::Yes);
    EXPECT_EQ(session->intervalCount(), 3);
    EXPECT_TRUE(session->doc.isModified());

    // The recovered journal goes on: a second crash keeps old and new changes.
    session->record(1);
    session.reset();
    m_boxes.m_answers = {Answer::Yes};
    session = start(m_document);
    EXPECT_TRUE(m_boxes.m_questions.last().contains(": 3 Intervalle"));
    EXPECT_TRUE(session->framework.onFileSave());
    EXPECT_EQ(journalCount(), 0);
    EXPECT_EQ(lockFileCount(), 0);
    EXPECT_EQ(intervalsInFile(), 4);
}

TEST_F(UnsavedChangesJournalTest, AnIntervalRunningAtACrashIsOfferedCutOffAsUddhaccaAndComesBackOnce)
{
    {
        const auto crashed = start(m_document);
        for (TimeSpan seconds : {0, 5, 10})
            crashed->doc.keepRunningInterval({0, IntervalRecord{1'700'000'000, 1'700'000'000 + seconds, 1, 2, 1}});
        crashed->journal.writer().waitUntilSynced();
    }
    m_boxes.m_answers = {Answer::Yes};
    auto session = start(m_document);
    ASSERT_EQ(m_boxes.m_questions.size(), 1);
    const QString question = m_boxes.m_questions[0];
    EXPECT_TRUE(question.startsWith("Ein Intervall für practice.con, begonnen am ")) << question.toStdString();
    EXPECT_TRUE(question.contains(", lief noch, als das Programm endete. Es wird bis zu seinem letzten "
                                  "Lebenszeichen am "));
    EXPECT_TRUE(question.contains("zählt als uddhacca"));
    ASSERT_EQ(session->intervalCount(), 2);
    EXPECT_EQ(session->doc.trainingTypes()[0].m_records[1], (IntervalRecord{1'700'000'000, 1'700'000'010, 1, 2, 1}));

    // Recovered, it is an interval like any other: a second crash brings it back once.
    session.reset();
    m_boxes.m_answers = {Answer::Yes};
    session = start(m_document);
    EXPECT_EQ(session->intervalCount(), 2);
    EXPECT_TRUE(m_boxes.m_questions.last().contains(": 1 Intervall,")) << m_boxes.m_questions.last().toStdString();
}

TEST_F(UnsavedChangesJournalTest, AStepACrashCutShortIsLeftOutWholeAndTheQuestionSaysSo)
{
    {
        const auto crashed = start(m_document);
        crashed->record(1);
        crashed->doc.beginStep(); // an import, cut short
        crashed->record(2);
    }
    m_boxes.m_answers = {Answer::Yes};
    auto session = start(m_document);
    ASSERT_EQ(m_boxes.m_questions.size(), 1);
    EXPECT_TRUE(m_boxes.m_questions[0].contains(": 1 Intervall,"));
    EXPECT_TRUE(m_boxes.m_questions[0].contains("\nEin Schritt, den das Programm beim Abbruch nicht beendet hatte "
                                                "(etwa ein Import), wird ganz weggelassen."));
    EXPECT_EQ(session->intervalCount(), 2);
    // The journal goes on before the step left out.
    session->record(1);
    session.reset();
    m_boxes.m_answers = {Answer::Yes};
    EXPECT_EQ(start(m_document)->intervalCount(), 3);
    EXPECT_FALSE(m_boxes.m_questions.last().contains("weggelassen"));
}

TEST_F(UnsavedChangesJournalTest, NoAtTheOfferOrAtTheSaveQuestionDeletesTheJournal)
{
    start(m_document)->record(1);
    m_boxes.m_answers = {Answer::No};
    auto session = start(m_document);
    EXPECT_EQ(session->intervalCount(), 1);
    EXPECT_FALSE(session->doc.isModified());
    EXPECT_EQ(journalCount(), 0);
    EXPECT_EQ(lockFileCount(), 0);

    session->record(1);
    EXPECT_EQ(journalCount(), 1);
    EXPECT_EQ(lockFileCount(), 1);
    m_boxes.m_answers = {Answer::No};
    EXPECT_TRUE(session->framework.saveModified());
    EXPECT_EQ(journalCount(), 0);
    EXPECT_EQ(lockFileCount(), 0);
}

TEST_F(UnsavedChangesJournalTest, ChangesKeptBecauseTheOtherFileDidNotOpenStayProtected)
{
    auto session = start(m_document);
    session->record(1);
    // The user gives up the changes to open another file, which cannot be opened: the changes stay.
    m_boxes.m_answers = {Answer::No};
    EXPECT_EQ(session->framework.openDocumentFile(m_dir.filePath("missing.con")),
              DocumentFramework::OpenResult::Failed);
    EXPECT_EQ(session->intervalCount(), 2);
    session->record(1);

    session.reset();
    m_boxes.m_answers = {Answer::Yes};
    session = start(m_document);
    EXPECT_TRUE(m_boxes.m_questions.last().contains(": 2 Intervalle")) << m_boxes.m_questions.last().toStdString();
    EXPECT_EQ(session->intervalCount(), 3);

    // The untitled document's own journal is not offered back to it.
    session = start(QString());
    session->record(1);
    m_boxes.m_questions.clear();
    m_boxes.m_answers = {Answer::No};
    session->framework.openDocumentFile(m_dir.filePath("missing.con"));
    EXPECT_EQ(m_boxes.m_questions.size(), 1) << "only whether to save";
    EXPECT_EQ(session->intervalCount(), 1);
    EXPECT_TRUE(QFile::exists(session->journal.journalPath(QString())));
}

TEST_F(UnsavedChangesJournalTest, ChangesToTheUntitledDocumentComeBackAndMoveWithTheFirstSave)
{
    start(QString())->record(1);
    m_boxes.m_answers = {Answer::Yes};
    auto session = start(QString());
    EXPECT_TRUE(m_boxes.m_questions.value(0).startsWith("Für Unbenannt wurden nicht gespeicherte Änderungen gefunden: "
                                                        "1 Intervall, "));
    EXPECT_EQ(session->intervalCount(), 1);

    const QString saved = m_dir.filePath("new.con");
    m_dialogs.m_choices = {saved};
    EXPECT_TRUE(session->framework.onFileSave());
    EXPECT_EQ(journalCount(), 0);
    session->record(1);
    EXPECT_TRUE(QFile::exists(session->journal.journalPath(saved)));
}

TEST_F(UnsavedChangesJournalTest, AFileChangedSinceIsNeitherOverwrittenUnaskedNorItsJournalDropped)
{
    auto first = start(m_document);
    first->record(1);
    // Another instance saves the file meanwhile.
    {
        Session other(m_dir.filePath("other-journal"));
        other.framework.openDocumentFile(m_document);
        other.record(2);
        ASSERT_TRUE(other.framework.onFileSave());
    }
    ASSERT_EQ(intervalsInFile(), 3);

    m_boxes.m_answers = {Answer::No};
    EXPECT_FALSE(first->framework.onFileSave());
    EXPECT_EQ(m_boxes.m_questions.value(0),
              "practice.con wurde seit dem Öffnen außerhalb dieses Programms geändert.\nDatei trotzdem überschreiben?");
    EXPECT_EQ(m_boxes.m_defaults.front(), Answer::No);
    EXPECT_EQ(intervalsInFile(), 3);
    EXPECT_TRUE(first->doc.isModified());
    EXPECT_EQ(journalCount(), 1);

    // After a crash the journal no longer fits the file: offered all the same, its records appended.
    first.reset();
    m_boxes.m_answers = {Answer::Yes};
    auto session = start(m_document);
    EXPECT_TRUE(m_boxes.m_questions.last().contains(
        "\npractice.con wurde seitdem geändert; die Intervalle werden angehängt, eine Messung mit einer schon "
        "vergebenen Nummer erhält eine neue.\n"));
    EXPECT_EQ(session->intervalCount(), 4);
    EXPECT_TRUE(session->framework.onFileSave()) << "the file is as this session loaded it";
    EXPECT_EQ(intervalsInFile(), 4);
}

TEST_F(UnsavedChangesJournalTest, RecoveryOntoAChangedFileDeletesOnlyTheDeletedRecordsAndRenumbers)
{
    const IntervalRecord second{1'600'000'100, 1'600'000'190, 0, 1, 2};
    const IntervalRecord third{1'600'000'200, 1'600'000'290, 0, 1, 3};
    const auto saveRecords = [this](const std::vector<IntervalRecord>& records) {
        TrainingDocument doc;
        doc.onNewDocument();
        for (const IntervalRecord& record : records)
            append(doc, doc.trainingTypes()[0], record);
        saveDocumentFile(doc, QFile::encodeName(m_document).toStdString());
    };
    const IntervalRecord first{1'600'000'000, 1'600'000'090, 0, 1, 1};
    saveRecords({first, second, third});
    {
        auto crashed = start(m_document);
        crashed->doc.apply(RemoveRecords{0, {{0, first}, {1, second}}});
        crashed->record(1); // measurement 2
    }
    // Another copy of the file takes its place: without those two records, with a sitting 2 of its own.
    const IntervalRecord otherSitting{1'600'100'000, 1'600'100'060, 0, 2, 1};
    saveRecords({third, otherSitting});

    m_boxes.m_answers = {Answer::Yes};
    auto session = start(m_document);
    EXPECT_TRUE(m_boxes.m_questions.value(0).contains("wurde seitdem geändert"))
        << m_boxes.m_questions.value(0).toStdString();
    const IntervalRecordList& records = session->doc.trainingTypes()[0].m_records;
    ASSERT_EQ(records.size(), 3) << "no record of the new file is deleted";
    EXPECT_EQ(records[0], third);
    EXPECT_EQ(records[1], otherSitting);
    EXPECT_EQ(records[2].m_measurement, 3) << "the recovered sitting takes the next free number";
    EXPECT_EQ(records[2].m_timeStart, 1'700'000'100);
}

TEST_F(UnsavedChangesJournalTest, AJournalAnotherProgramHoldsIsNeitherOfferedNorDeleted)
{
    start(m_document)->record(1);
    const QString theirs = Session(m_folder).journal.journalPath(m_document);
    // Another program on the same home folder writes that journal now.
    QProcess other;
    other.start(QStringLiteral("flock"),
                {QStringLiteral("--nonblock"), QStringLiteral("--no-fork"), theirs + QStringLiteral(".lock"),
                 QStringLiteral("sleep"), QStringLiteral("30")});
    ASSERT_TRUE(other.waitForStarted());
    QTest::qWait(200);
    ASSERT_EQ(other.state(), QProcess::Running) << "flock could not take the lock";

    auto session = start(m_document);
    EXPECT_TRUE(m_boxes.m_questions.isEmpty());
    session->record(1);
    EXPECT_EQ(journalCount(), 2) << "this program keeps its own journal beside it";
    EXPECT_EQ(summarizeJournal(QFile::encodeName(theirs).toStdString()).appendedIntervals, 1);
    m_boxes.m_answers = {Answer::No};
    EXPECT_TRUE(session->framework.saveModified());
    EXPECT_TRUE(QFile::exists(theirs)) << "giving up this program's changes leaves the other's";
    other.kill();
    other.waitForFinished();

    session.reset();
    m_boxes.m_questions.clear();
    m_boxes.m_answers = {Answer::Yes};
    session = start(m_document);
    EXPECT_EQ(m_boxes.m_questions.size(), 1) << "the other program ended: its journal is offered";
    EXPECT_EQ(session->intervalCount(), 2);
}

TEST_F(UnsavedChangesJournalTest, AJournalBeingOfferedIsNotOfferedByAnotherProgramToo)
{
    start(m_document)->record(1);
    std::unique_ptr<Session> other;
    m_boxes.m_whileAsking = [&] {
        m_boxes.m_whileAsking = nullptr;
        other = start(m_document);
        other->record(1);
    };
    m_boxes.m_answers = {Answer::Yes};
    auto session = start(m_document);
    EXPECT_EQ(m_boxes.m_questions.size(), 1);
    EXPECT_EQ(session->intervalCount(), 2);
    EXPECT_EQ(other->intervalCount(), 2) << "not recovered a second time";
    EXPECT_EQ(journalCount(), 2) << "the other program keeps its own journal beside it";
    other.reset();
    session->record(1);
    EXPECT_EQ(
        summarizeJournal(QFile::encodeName(session->journal.journalPath(m_document)).toStdString()).appendedIntervals,
        2);
}

TEST_F(UnsavedChangesJournalTest, LongNamesGetAJournalAndOneThatCannotBeWrittenIsReported)
{
    const QString longName = m_dir.filePath(QString(246, QChar(u'ä')).left(123) + QStringLiteral(".con"));
    ASSERT_GT(QFile::encodeName(QFileInfo(longName).fileName()).size(), 240);
    ASSERT_TRUE(QFile::copy(m_document, longName));
    auto session = start(longName);
    session->record(1);
    const QString journal = session->journal.journalPath(longName);
    EXPECT_TRUE(QFile::exists(journal));
    EXPECT_LE(QFile::encodeName(QFileInfo(journal).fileName()).size(), 255);
    EXPECT_TRUE(session->journal.writer().isProtecting());

    // A folder that cannot be made (a read-only home): the first change says so.
    Session unwritable(QStringLiteral("/proc/no-such-folder/journal"));
    QStringList reasons;
    QObject::connect(&unwritable.journal, &UnsavedChangesJournal::protectionChanged,
                     [&reasons](bool protecting, const QString& reason) {
                         if (!protecting)
                             reasons << reason;
                     });
    unwritable.framework.openDocumentFile(m_document);
    unwritable.record(2);
    ASSERT_EQ(reasons.size(), 1) << "told once";
    EXPECT_TRUE(reasons[0].startsWith("Nicht gespeicherte Änderungen sind nicht gegen einen Absturz geschützt"));
}
