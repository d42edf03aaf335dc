#include "versenkwerk_app.h"

#include "command_ids.h"
#include "document.h"
#include "document_file.h"
#include "main_frame.h"
#include "measuring_mode_flag.h"
#include "profile.h"
#include "test_doubles.h"

#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Answer = IMessageBox::Answer;

// Stands for the main view: does the first set-up (defaults) and records
// every document update it is told about.
class RecordingView : public QWidget, public CDocumentView {
public:
    RecordingView(CVersenkwerkDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc)
    {
        m_bDocumentWasNew = doc.GetPathName().empty();
        doc.m_settings.SetDefaults();
        doc.AddView(this);
    }
    ~RecordingView() override { m_doc.RemoveView(this); }
    void OnDocumentUpdate(int hint) override { m_aHints.push_back(hint); }

    CVersenkwerkDoc& m_doc;
    bool m_bDocumentWasNew = false;
    std::vector<int> m_aHints;
};

class AppTest : public testing::Test {
protected:
    AppTest()
        : m_app([this](CVersenkwerkDoc& doc, CMainFrame& frame) {
              m_pView = new RecordingView(doc, &frame);
              return m_pView;
          })
    {
        // Each test starts as the very first start of the program.
        WriteRecentFiles({});
    }

    QString WriteDocument(const QString& name, int timeSound)
    {
        CVersenkwerkDoc doc;
        doc.OnNewDocument();
        doc.m_settings.m_bTimeSound = timeSound;
        const QString path = m_dir.filePath(name);
        SaveDocumentFile(doc, QFile::encodeName(path).toStdString());
        return path;
    }

    static void WriteRecentFiles(const QStringList& paths)
    {
        const auto profile = OpenProfile();
        profile->remove("Recent File List");
        for (int i = 0; i < paths.size(); ++i)
            profile->setValue(QString("Recent File List/File%1").arg(i + 1), paths[i]);
    }

    CMainFrame& Frame() { return *m_app.GetMainFrame(); }

    QTemporaryDir m_dir;
    ScriptedMessageBoxes m_boxes;
    ScriptedFileDialogs m_dialogs;
    RecordingView* m_pView = nullptr;
    CVersenkwerkApp m_app;
};

} // namespace

TEST_F(AppTest, FirstStartShowsANewUntitledDocumentWithoutError)
{
    ASSERT_TRUE(m_app.InitInstance({"jhavari-training"}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(Frame().windowTitle(), "Unbenannt - Jhavari-Training");
    EXPECT_EQ(Frame().GetView(), m_pView);
    EXPECT_TRUE(m_boxes.m_messages.isEmpty());
    EXPECT_STREQ(m_app.GetDocument()->m_aTrainingTypes[0].m_strName.c_str(), "Apana Jhavari (Samatha Bhavana)");
    EXPECT_TRUE(m_pView->m_aHints.empty()) << "the first new document notifies nobody";
}

TEST_F(AppTest, DeletedLastFileIsReportedAfterStartAndLeavesMenuAndProfile)
{
    const QString deleted = m_dir.filePath("deleted.con");
    const QString older = WriteDocument("older.con", 1);
    WriteRecentFiles({deleted, older});

    ASSERT_TRUE(m_app.InitInstance({"jhavari-training"}));
    EXPECT_TRUE(m_boxes.m_messages.isEmpty()) << "reported only once the event loop runs";
    QCoreApplication::processEvents();
    EXPECT_EQ(m_boxes.m_messages, QStringList({deleted + " wurde nicht gefunden."}));
    EXPECT_EQ(Frame().windowTitle(), "Unbenannt - Jhavari-Training");
    EXPECT_EQ(Frame().GetCommandAction(CommandId::kFileMru1)->text(), "&1 " + older);
    EXPECT_FALSE(Frame().GetCommandAction(CommandId::kFileMru1 + 1)->isVisible());
    const auto profile = OpenProfile();
    EXPECT_EQ(profile->value("Recent File List/File1").toString(), older);
    EXPECT_FALSE(profile->contains("Recent File List/File2"));

    Frame().GetCommandAction(CommandId::kFileMru1)->trigger();
    EXPECT_EQ(Frame().windowTitle(), "older.con - Jhavari-Training");
}

TEST_F(AppTest, LastFileIsReopenedAfterStartAndKeepsItsSettings)
{
    const QString last = WriteDocument("last.con", 0);
    WriteRecentFiles({last});
    ASSERT_TRUE(m_app.InitInstance({"jhavari-training"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(Frame().windowTitle(), "last.con - Jhavari-Training");
    EXPECT_EQ(m_app.GetDocument()->m_settings.m_bTimeSound, 0);
    EXPECT_EQ(m_pView->m_aHints, std::vector<int>({0}));
}

TEST_F(AppTest, CommandLineDocumentIsOpenedAfterTheViewsSetUpAndKeepsItsSettings)
{
    const QString named = WriteDocument("named.con", 0);
    ASSERT_TRUE(m_app.InitInstance({"jhavari-training", named}));
    EXPECT_TRUE(m_pView->m_bDocumentWasNew);
    EXPECT_EQ(m_pView->m_aHints, std::vector<int>({0}));
    EXPECT_EQ(m_app.GetDocument()->m_settings.m_bTimeSound, 0);
    QCoreApplication::processEvents();
    // Reopening entry 1 finds the file already open and loads nothing again.
    EXPECT_EQ(m_pView->m_aHints.size(), 1u);
    EXPECT_EQ(Frame().windowTitle(), "named.con - Jhavari-Training");
}

TEST_F(AppTest, CommandLineDocumentThatFailsEndsTheStart)
{
    const QString missing = m_dir.filePath("missing.con");
    EXPECT_FALSE(m_app.InitInstance({"jhavari-training", missing}));
    EXPECT_EQ(m_boxes.m_messages, QStringList({missing + " wurde nicht gefunden."}));
    EXPECT_NE(m_app.GetExitCode(), 0);
    EXPECT_FALSE(m_app.GetMainFrame()->isVisible());
}

TEST_F(AppTest, FileAcceleratorsAndExitReachTheFramework)
{
    ASSERT_TRUE(m_app.InitInstance({"jhavari-training"}));
    QCoreApplication::processEvents();
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    m_app.GetDocument()->SetModifiedFlag();

    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_boxes.m_questions.value(0), "Änderungen in Unbenannt speichern?");
    QTest::keyClick(&Frame(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs.m_titles.value(0), "Öffnen");
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs.m_titles.value(1), "Speichern unter");

    // Exit asks first; Cancel keeps the program open, No closes it.
    m_boxes.m_answers = {Answer::Cancel};
    Frame().GetCommandAction(CommandId::kAppExit)->trigger();
    EXPECT_TRUE(Frame().isVisible());
    m_boxes.m_answers = {Answer::No};
    Frame().GetCommandAction(CommandId::kAppExit)->trigger();
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_EQ(m_boxes.m_questions.size(), 3);
}

TEST_F(AppTest, ExitEndsTheProgramAlsoWithADiagramWindowOpen)
{
    ASSERT_TRUE(m_app.InitInstance({"jhavari-training"}));
    QWidget diagram; // a modeless diagram window has no parent
    diagram.show();
    bool stillRunning = false;
    QTimer::singleShot(0, [this] { Frame().GetCommandAction(CommandId::kAppExit)->trigger(); });
    QTimer::singleShot(3000, [&stillRunning] {
        stillRunning = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(stillRunning);
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(AppTest, IdlePassesRestoreTheIdleTextOnlyOutsideMeasuring)
{
    ASSERT_TRUE(m_app.InitInstance({"jhavari-training"}));
    Frame().SetStatusText("Default settings restored");
    m_app.OnIdle();
    EXPECT_EQ(Frame().GetStatusText(), "Meditation interval measurement mode off.");
    g_bMeasuringMode = true;
    Frame().SetStatusText("Waiting for mouse-start (left mouse button) ...");
    m_app.OnIdle();
    g_bMeasuringMode = false;
    EXPECT_EQ(Frame().GetStatusText(), "Waiting for mouse-start (left mouse button) ...");
}

TEST_F(AppTest, StandardButtonsSpeakGerman)
{
    ASSERT_TRUE(m_app.InitInstance({"jhavari-training"}));
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Ja");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), "Nein");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove('&'), "Abbrechen");
}

TEST_F(AppTest, PrinterOrientationFollowsTheFlag)
{
    m_app.SetPrinterOrientation(true);
    EXPECT_EQ(m_app.GetPrinter().pageLayout().orientation(), QPageLayout::Landscape);
    m_app.SetPrinterOrientation(false);
    EXPECT_EQ(m_app.GetPrinter().pageLayout().orientation(), QPageLayout::Portrait);
}
