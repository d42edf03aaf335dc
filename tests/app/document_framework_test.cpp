#include "app/document_framework.h"

#include "app/recent_file_list.h"
#include "platform/file_dialog_folder.h"
#include "platform/native_path.h"
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/app/test_doubles.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Answer = MessageBox::Answer;

class DocumentFrameworkTest : public testing::Test {
protected:
    DocumentFrameworkTest() : m_framework(m_doc, m_recentFiles)
    {
        m_doc.setTitle(TrainingDocument::kUntitled);
        m_doc.onNewDocument();
    }

    // A document file on disk with one interval in training type 0.
    QString writeDocument(const QString& name, std::uint16_t measurement = 1)
    {
        TrainingDocument doc;
        doc.onNewDocument();
        append(doc, doc.trainingTypes()[0], record().measurement(measurement).run(1).from(1000000000).to(1000000600));
        const QString path = m_dir.filePath(name);
        saveDocumentFile(doc, QFile::encodeName(path).toStdString());
        return path;
    }

    // Work done since the last save: one recorded interval.
    void recordSomething()
    {
        IntervalRecord entry;
        entry.m_measurement = 7;
        append(m_doc, m_doc.trainingTypes()[0], entry);
    }

    int intervalCount() const { return m_doc.trainingTypes()[0].m_records.size(); }
    QString docPath() const { return QFile::decodeName(QByteArray::fromStdString(m_doc.pathName())); }

    QTemporaryDir m_dir;
    TrainingDocument m_doc;
    RecentFileList m_recentFiles;
    DocumentFramework m_framework;
    ScriptedMessageBoxes m_boxes;
    ScriptedFileDialogs m_dialogs;
};

} // namespace

TEST_F(DocumentFrameworkTest, NewAsksAboutUnsavedChangesAndFollowsTheAnswer)
{
    m_framework.onFileNew();
    EXPECT_TRUE(m_boxes.m_questions.isEmpty()) << "an unmodified document is not asked about";

    recordSomething();
    m_boxes.m_answers = {Answer::Cancel};
    m_framework.onFileNew();
    EXPECT_EQ(m_boxes.m_questions.value(0), "Änderungen in Unbenannt speichern?");
    EXPECT_EQ(intervalCount(), 1);
    EXPECT_TRUE(m_doc.isModified());

    // Yes, but the file dialog is cancelled: nothing is saved and New does not happen.
    m_boxes.m_answers = {Answer::Yes};
    m_framework.onFileNew();
    EXPECT_EQ(m_dialogs.m_titles.value(0), "Speichern unter");
    EXPECT_EQ(m_dialogs.m_suggestedPath, inFileDialogFolder({}, "Unbenannt.con"));
    EXPECT_EQ(intervalCount(), 1);

    // Yes with a name typed without extension: saved as .con, then the new document.
    QSignalSpy titles(&m_framework, &DocumentFramework::titleChanged);
    m_boxes.m_answers = {Answer::Yes};
    m_dialogs.m_choices = {m_dir.filePath("morning")};
    m_framework.onFileNew();
    ASSERT_TRUE(QFileInfo::exists(m_dir.filePath("morning.con")));
    EXPECT_EQ(intervalCount(), 0);
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_TRUE(m_doc.pathName().empty());
    EXPECT_EQ(titles.last().at(0).toString(), "Unbenannt");
    EXPECT_EQ(m_recentFiles.paths(), QStringList({m_dir.filePath("morning.con")}));

    TrainingDocument saved;
    openDocumentFile(saved, QFile::encodeName(m_dir.filePath("morning.con")).toStdString());
    EXPECT_EQ(saved.trainingTypes()[0].m_records.size(), 1);

    // No: the changes are dropped.
    recordSomething();
    m_boxes.m_answers = {Answer::No};
    m_framework.onFileNew();
    EXPECT_EQ(intervalCount(), 0);
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_EQ(m_boxes.m_questions.size(), 4);
}

TEST_F(DocumentFrameworkTest, OpenShowsTheDialogThenAsksWithTheFileName)
{
    const QString first = writeDocument("first.con");
    const QString second = writeDocument("second.con", 2);
    m_dialogs.m_choices = {first};
    m_framework.onFileOpen();
    EXPECT_EQ(m_dialogs.m_titles.value(0), "Öffnen");
    EXPECT_EQ(m_dialogs.m_filters, "Filetype Jhavari (*.con);;Alle Dateien (*.*)");
    EXPECT_EQ(m_dialogs.m_folder, fileDialogFolder({}));
    EXPECT_EQ(docPath(), first);
    m_framework.onFileOpen();
    EXPECT_EQ(m_dialogs.m_folder, m_dir.path()) << "the open document's folder";
    EXPECT_EQ(m_framework.title(), "first.con");

    recordSomething();
    m_boxes.m_answers = {Answer::Cancel};
    EXPECT_EQ(m_framework.openDocumentFile(second), DocumentFramework::OpenResult::Cancelled);
    EXPECT_EQ(m_boxes.m_questions.value(0), "Änderungen in first.con speichern?");
    EXPECT_EQ(docPath(), first);

    // The open document itself is not loaded again, and nobody is asked.
    EXPECT_EQ(m_framework.openDocumentFile(first), DocumentFramework::OpenResult::AlreadyOpen);
    EXPECT_EQ(m_boxes.m_questions.size(), 1);
    EXPECT_EQ(intervalCount(), 2);

    m_boxes.m_answers = {Answer::No};
    EXPECT_EQ(m_framework.openDocumentFile(second), DocumentFramework::OpenResult::Opened);
    EXPECT_EQ(m_doc.trainingTypes()[0].m_records[0].m_measurement, 2);
    EXPECT_EQ(m_recentFiles.paths(), QStringList({second, first}));
}

TEST_F(DocumentFrameworkTest, FailedLoadsAreReportedOnceAndDamagedFilesLeaveANewDocument)
{
    const QString missing = m_dir.filePath("gone.con");
    EXPECT_EQ(m_framework.openDocumentFile(missing), DocumentFramework::OpenResult::Failed);
    EXPECT_EQ(m_boxes.m_messages, QStringList({missing + " wurde nicht gefunden."}));

    const QString opened = writeDocument("good.con");
    m_framework.openDocumentFile(opened);
    QFile bad(m_dir.filePath("bad.con"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("\x03"
                         "CON",
                         4));
    bad.close();
    m_boxes.m_messages.clear();
    EXPECT_EQ(m_framework.openDocumentFile(bad.fileName()), DocumentFramework::OpenResult::Failed);
    EXPECT_EQ(m_boxes.m_messages, QStringList({"The file is defective and can not be read.",
                                               "Unbekannter Fehler beim Zugriff auf " + bad.fileName() + "."}));
    EXPECT_EQ(m_framework.title(), "Unbenannt");
    EXPECT_TRUE(m_doc.pathName().empty());
    EXPECT_EQ(intervalCount(), 0);
    EXPECT_EQ(m_recentFiles.paths(), QStringList({opened}));
}

TEST_F(DocumentFrameworkTest, SaveUsesThePathOrAsksForOneAndKeepsTypedExtensions)
{
    recordSomething();
    m_dialogs.m_choices = {m_dir.filePath("notes.dat")};
    EXPECT_TRUE(m_framework.onFileSave());
    EXPECT_EQ(docPath(), m_dir.filePath("notes.dat"));
    EXPECT_EQ(m_dialogs.m_defaultSuffix, "con");
    EXPECT_FALSE(m_doc.isModified());

    // With a path, Save asks nothing.
    recordSomething();
    EXPECT_TRUE(m_framework.onFileSave());
    EXPECT_EQ(m_dialogs.m_titles.size(), 1);

    // Save as suggests the current path.
    m_dialogs.m_choices = {m_dir.filePath("copy")};
    EXPECT_TRUE(m_framework.onFileSaveAs());
    EXPECT_EQ(m_dialogs.m_suggestedPath, m_dir.filePath("notes.dat"));
    EXPECT_EQ(docPath(), m_dir.filePath("copy.con"));
    EXPECT_EQ(m_framework.title(), "copy.con");
}

TEST_F(DocumentFrameworkTest, FailedSaveIsReportedAndKeepsTheChanges)
{
    recordSomething();
    const QString target = m_dir.filePath("no-such-folder/x.con");
    m_dialogs.m_choices = {target};
    EXPECT_FALSE(m_framework.onFileSaveAs());
    ASSERT_EQ(m_boxes.m_messages.size(), 1);
    EXPECT_EQ(m_boxes.m_messages[0], target + " enthält eine falsche Pfadangabe.");
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_TRUE(m_doc.pathName().empty());
    EXPECT_EQ(m_recentFiles.count(), 0);

    // A failed save in answer to the question cancels the New.
    m_boxes.m_answers = {Answer::Yes};
    m_dialogs.m_choices = {target};
    m_framework.onFileNew();
    EXPECT_EQ(intervalCount(), 1);
}

TEST_F(DocumentFrameworkTest, RecentFileThatFailsIsRemovedButACancelledOneStays)
{
    const QString kept = writeDocument("kept.con");
    const QString deleted = writeDocument("deleted.con");
    m_recentFiles.add(kept);
    m_recentFiles.add(deleted);
    QFile::remove(deleted);
    QSignalSpy changes(&m_framework, &DocumentFramework::recentFilesChanged);

    m_framework.onOpenRecentFile(0);
    EXPECT_EQ(m_boxes.m_messages, QStringList({deleted + " wurde nicht gefunden."}));
    EXPECT_EQ(m_recentFiles.paths(), QStringList({kept}));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].toStringList(), QStringList({kept}));

    recordSomething();
    m_boxes.m_answers = {Answer::Cancel};
    m_framework.onOpenRecentFile(0);
    EXPECT_EQ(m_recentFiles.paths(), QStringList({kept}));
    EXPECT_TRUE(m_doc.isModified());
}

TEST_F(DocumentFrameworkTest, RecentFileThatFailsAfterTheOldDocumentWasSavedRemovesOnlyItself)
{
    const QString kept = writeDocument("kept.con");
    const QString deleted = writeDocument("deleted.con");
    m_recentFiles.add(deleted);
    m_recentFiles.add(kept);
    QFile::remove(deleted);

    // Saving the untitled document first puts its new file at the top of the list.
    recordSomething();
    const QString saved = m_dir.filePath("saved.con");
    m_boxes.m_answers = {Answer::Yes};
    m_dialogs.m_choices = {saved};
    m_framework.onOpenRecentFile(1);
    EXPECT_EQ(m_boxes.m_messages, QStringList({deleted + " wurde nicht gefunden."}));
    EXPECT_EQ(m_recentFiles.paths(), QStringList({saved, kept}));
}

TEST_F(DocumentFrameworkTest, ANameThatIsNoUtf8OpensAndIsSavedUnderItsOwnBytes)
{
    const QByteArray folder = QFile::encodeName(m_dir.path());
    const QByteArray name = QByteArray("\xe4ltere \xff\xfe ") + "Notizen.con"; // Latin-1 and stray bytes
    for (const QByteArray& bytes : {QByteArray("\xe4\xc3\xa4\xed\xa0\x80\xf4\x90\x80\x80"), name})
        EXPECT_EQ(nativeFromPath(pathFromNative(bytes)), bytes) << "every byte comes back";
    const std::string native = (folder + '/' + name).toStdString();
    {
        TrainingDocument doc;
        doc.onNewDocument();
        append(doc, doc.trainingTypes()[0], record().measurement(1).run(1).from(1000000000).to(1000000600));
        saveDocumentFile(doc, native);
    }

    // As given on the command line.
    const char* const arguments[] = {"jhavari-training", native.c_str()};
    const QString given = argumentsFromNative(2, arguments).at(1);
    EXPECT_EQ(m_framework.openDocumentFile(given), DocumentFramework::OpenResult::Opened);
    EXPECT_TRUE(m_boxes.m_messages.isEmpty()) << m_boxes.m_messages.value(0).toStdString();
    EXPECT_EQ(m_doc.pathName(), native);
    recordSomething();
    EXPECT_TRUE(m_framework.onFileSave());
    EXPECT_EQ(m_dialogs.m_titles.size(), 0) << "saved in place, no file dialog";
    TrainingDocument saved;
    openDocumentFile(saved, native);
    EXPECT_EQ(saved.trainingTypes()[0].m_records.size(), 2);
    std::filesystem::remove(native); // a name the temporary folder cannot spell
}
