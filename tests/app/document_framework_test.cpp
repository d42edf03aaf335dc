#include "document_framework.h"

#include "document.h"
#include "document_file.h"
#include "recent_file_list.h"
#include "test_doubles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Answer = IMessageBox::Answer;

class DocumentFrameworkTest : public testing::Test {
protected:
    DocumentFrameworkTest() : m_framework(m_doc, m_recentFiles)
    {
        m_doc.SetTitle(CVersenkwerkDoc::kUntitled);
        m_doc.OnNewDocument();
    }

    // A document file on disk with one interval in training type 0.
    QString WriteDocument(const QString& name, std::uint16_t measurement = 1)
    {
        CVersenkwerkDoc doc;
        doc.OnNewDocument();
        CDataEntry entry;
        entry.m_timeStart = 1000000000;
        entry.m_timeEnd = 1000000600;
        entry.m_nMeasurement = measurement;
        entry.m_nRun = 1;
        doc.m_aTrainingTypes[0].m_aEntries.Add(entry);
        const QString path = m_dir.filePath(name);
        SaveDocumentFile(doc, QFile::encodeName(path).toStdString());
        return path;
    }

    // Work done since the last save: one recorded interval.
    void RecordSomething()
    {
        CDataEntry entry;
        entry.m_nMeasurement = 7;
        m_doc.m_aTrainingTypes[0].m_aEntries.Add(entry);
        m_doc.SetModifiedFlag();
    }

    int IntervalCount() const { return m_doc.m_aTrainingTypes[0].m_aEntries.GetSize(); }
    QString DocPath() const { return QFile::decodeName(QByteArray::fromStdString(m_doc.GetPathName())); }

    QTemporaryDir m_dir;
    CVersenkwerkDoc m_doc;
    CRecentFileList m_recentFiles;
    CDocumentFramework m_framework;
    ScriptedMessageBoxes m_boxes;
    ScriptedFileDialogs m_dialogs;
};

} // namespace

TEST_F(DocumentFrameworkTest, NewAsksAboutUnsavedChangesAndFollowsTheAnswer)
{
    m_framework.OnFileNew();
    EXPECT_TRUE(m_boxes.m_questions.isEmpty()) << "an unmodified document is not asked about";

    RecordSomething();
    m_boxes.m_answers = {Answer::Cancel};
    m_framework.OnFileNew();
    EXPECT_EQ(m_boxes.m_questions.value(0), "Änderungen in Unbenannt speichern?");
    EXPECT_EQ(IntervalCount(), 1);
    EXPECT_TRUE(m_doc.IsModified());

    // Yes, but the file dialog is cancelled: nothing is saved and New does not happen.
    m_boxes.m_answers = {Answer::Yes};
    m_framework.OnFileNew();
    EXPECT_EQ(m_dialogs.m_titles.value(0), "Speichern unter");
    EXPECT_EQ(m_dialogs.m_suggestedPath, "Unbenannt.con");
    EXPECT_EQ(IntervalCount(), 1);

    // Yes with a name typed without extension: saved as .con, then the new document.
    QSignalSpy titles(&m_framework, &CDocumentFramework::TitleChanged);
    m_boxes.m_answers = {Answer::Yes};
    m_dialogs.m_choices = {m_dir.filePath("morning")};
    m_framework.OnFileNew();
    ASSERT_TRUE(QFileInfo::exists(m_dir.filePath("morning.con")));
    EXPECT_EQ(IntervalCount(), 0);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_TRUE(m_doc.GetPathName().empty());
    EXPECT_EQ(titles.last().at(0).toString(), "Unbenannt");
    EXPECT_EQ(m_recentFiles.GetPaths(), QStringList({m_dir.filePath("morning.con")}));

    CVersenkwerkDoc saved;
    OpenDocumentFile(saved, QFile::encodeName(m_dir.filePath("morning.con")).toStdString());
    EXPECT_EQ(saved.m_aTrainingTypes[0].m_aEntries.GetSize(), 1);

    // No: the changes are dropped.
    RecordSomething();
    m_boxes.m_answers = {Answer::No};
    m_framework.OnFileNew();
    EXPECT_EQ(IntervalCount(), 0);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_boxes.m_questions.size(), 4);
}

TEST_F(DocumentFrameworkTest, OpenShowsTheDialogThenAsksWithTheFileName)
{
    const QString first = WriteDocument("first.con");
    const QString second = WriteDocument("second.con", 2);
    m_dialogs.m_choices = {first};
    m_framework.OnFileOpen();
    EXPECT_EQ(m_dialogs.m_titles.value(0), "Öffnen");
    EXPECT_EQ(m_dialogs.m_filters, "Filetype Jhavari (*.con);;Alle Dateien (*.*)");
    EXPECT_EQ(DocPath(), first);
    EXPECT_EQ(m_framework.GetTitle(), "first.con");

    RecordSomething();
    m_boxes.m_answers = {Answer::Cancel};
    EXPECT_EQ(m_framework.OpenDocumentFile(second), CDocumentFramework::OpenResult::Cancelled);
    EXPECT_EQ(m_boxes.m_questions.value(0), "Änderungen in first.con speichern?");
    EXPECT_EQ(DocPath(), first);

    // The open document itself is not loaded again, and nobody is asked.
    EXPECT_EQ(m_framework.OpenDocumentFile(first), CDocumentFramework::OpenResult::AlreadyOpen);
    EXPECT_EQ(m_boxes.m_questions.size(), 1);
    EXPECT_EQ(IntervalCount(), 2);

    m_boxes.m_answers = {Answer::No};
    EXPECT_EQ(m_framework.OpenDocumentFile(second), CDocumentFramework::OpenResult::Opened);
    EXPECT_EQ(m_doc.m_aTrainingTypes[0].m_aEntries[0].m_nMeasurement, 2);
    EXPECT_EQ(m_recentFiles.GetPaths(), QStringList({second, first}));
}

TEST_F(DocumentFrameworkTest, FailedLoadsAreReportedOnceAndDamagedFilesLeaveANewDocument)
{
    const QString missing = m_dir.filePath("gone.con");
    EXPECT_EQ(m_framework.OpenDocumentFile(missing), CDocumentFramework::OpenResult::Failed);
    EXPECT_EQ(m_boxes.m_messages, QStringList({missing + " wurde nicht gefunden."}));

    const QString opened = WriteDocument("good.con");
    m_framework.OpenDocumentFile(opened);
    QFile bad(m_dir.filePath("bad.con"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray("\x03" "CON", 4));
    bad.close();
    m_boxes.m_messages.clear();
    EXPECT_EQ(m_framework.OpenDocumentFile(bad.fileName()), CDocumentFramework::OpenResult::Failed);
    EXPECT_EQ(m_boxes.m_messages, QStringList({"The file is defective and can not be read.",
                                               "Unbekannter Fehler beim Zugriff auf " + bad.fileName() + "."}));
    EXPECT_EQ(m_framework.GetTitle(), "Unbenannt");
    EXPECT_TRUE(m_doc.GetPathName().empty());
    EXPECT_EQ(IntervalCount(), 0);
    EXPECT_EQ(m_recentFiles.GetPaths(), QStringList({opened}));
}

TEST_F(DocumentFrameworkTest, SaveUsesThePathOrAsksForOneAndKeepsTypedExtensions)
{
    RecordSomething();
    m_dialogs.m_choices = {m_dir.filePath("notes.dat")};
    EXPECT_TRUE(m_framework.OnFileSave());
    EXPECT_EQ(DocPath(), m_dir.filePath("notes.dat"));
    EXPECT_EQ(m_dialogs.m_defaultSuffix, "con");
    EXPECT_FALSE(m_doc.IsModified());

    // With a path, Save asks nothing.
    RecordSomething();
    EXPECT_TRUE(m_framework.OnFileSave());
    EXPECT_EQ(m_dialogs.m_titles.size(), 1);

    // Save as suggests the current path.
    m_dialogs.m_choices = {m_dir.filePath("copy")};
    EXPECT_TRUE(m_framework.OnFileSaveAs());
    EXPECT_EQ(m_dialogs.m_suggestedPath, m_dir.filePath("notes.dat"));
    EXPECT_EQ(DocPath(), m_dir.filePath("copy.con"));
    EXPECT_EQ(m_framework.GetTitle(), "copy.con");
}

TEST_F(DocumentFrameworkTest, FailedSaveIsReportedAndKeepsTheChanges)
{
    RecordSomething();
    const QString target = m_dir.filePath("no-such-folder/x.con");
    m_dialogs.m_choices = {target};
    EXPECT_FALSE(m_framework.OnFileSaveAs());
    ASSERT_EQ(m_boxes.m_messages.size(), 1);
    EXPECT_EQ(m_boxes.m_messages[0], target + " enthält eine falsche Pfadangabe.");
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_doc.GetPathName().empty());
    EXPECT_EQ(m_recentFiles.GetCount(), 0);

    // A failed save in answer to the question cancels the New.
    m_boxes.m_answers = {Answer::Yes};
    m_dialogs.m_choices = {target};
    m_framework.OnFileNew();
    EXPECT_EQ(IntervalCount(), 1);
}

TEST_F(DocumentFrameworkTest, RecentFileThatFailsIsRemovedButACancelledOneStays)
{
    const QString kept = WriteDocument("kept.con");
    const QString deleted = WriteDocument("deleted.con");
    m_recentFiles.Add(kept);
    m_recentFiles.Add(deleted);
    QFile::remove(deleted);
    QSignalSpy changes(&m_framework, &CDocumentFramework::RecentFilesChanged);

    m_framework.OnOpenRecentFile(0);
    EXPECT_EQ(m_boxes.m_messages, QStringList({deleted + " wurde nicht gefunden."}));
    EXPECT_EQ(m_recentFiles.GetPaths(), QStringList({kept}));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(changes[0][0].toStringList(), QStringList({kept}));

    RecordSomething();
    m_boxes.m_answers = {Answer::Cancel};
    m_framework.OnOpenRecentFile(0);
    EXPECT_EQ(m_recentFiles.GetPaths(), QStringList({kept}));
    EXPECT_TRUE(m_doc.IsModified());
}
