#include "app/unsaved_changes_journal.h"

#include "app/document_framework.h"
#include "app/recent_file_list.h"
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/app/test_doubles.h"
#include "tests/support/document_edits.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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
    EXPECT_EQ(intervalsInFile(), 4);
}

TEST_F(UnsavedChangesJournalTest, NoAtTheOfferOrAtTheSaveQuestionDeletesTheJournal)
{
    start(m_document)->record(1);
    m_boxes.m_answers = {Answer::No};
    auto session = start(m_document);
    EXPECT_EQ(session->intervalCount(), 1);
    EXPECT_FALSE(session->doc.isModified());
    EXPECT_EQ(journalCount(), 0);

    session->record(1);
    EXPECT_EQ(journalCount(), 1);
    m_boxes.m_answers = {Answer::No};
    EXPECT_TRUE(session->framework.saveModified());
    EXPECT_EQ(journalCount(), 0);
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
        "\npractice.con wurde seitdem geändert; die Intervalle werden angehängt.\n"));
    EXPECT_EQ(session->intervalCount(), 4);
    EXPECT_TRUE(session->framework.onFileSave()) << "the file is as this session loaded it";
    EXPECT_EQ(intervalsInFile(), 4);
}
