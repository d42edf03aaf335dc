#include "app/application.h"

#include "app/command_ids.h"
#include "app/main_window.h"
#include "editing/document_editor.h"
#include "platform/profile.h"
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/app/test_doubles.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFile>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Answer = MessageBox::Answer;

// Stands for the main view: does the first set-up (defaults) and records
// every document update it is told about.
class RecordingView : public QWidget {
public:
    RecordingView(DocumentEditor& editor, QWidget* parent) : QWidget(parent)
    {
        m_documentWasNew = editor.document().pathName().empty();
        editor.document().setUpDefaultSettings();
        connect(&editor.notifier(), &DocumentNotifier::documentReset, this, [this] { ++m_updates; });
    }

    bool m_documentWasNew = false;
    int m_updates = 0;
};

class AppTest : public testing::Test {
protected:
    AppTest()
        : m_app([this](DocumentEditor& editor, MainWindow& frame) {
              m_view = new RecordingView(editor, &frame);
              return m_view;
          })
    {
        // Each test starts as the very first start of the program.
        writeRecentFiles({});
    }

    QString writeDocument(const QString& name, int timeSound)
    {
        TrainingDocument doc;
        doc.onNewDocument();
        doc.apply(SetTimeSound{timeSound != 0});
        const QString path = m_dir.filePath(name);
        saveDocumentFile(doc, QFile::encodeName(path).toStdString());
        return path;
    }

    static void writeRecentFiles(const QStringList& paths)
    {
        const auto profile = openProfile();
        profile->remove("Recent File List");
        for (int i = 0; i < paths.size(); ++i)
            profile->setValue(QString("Recent File List/File%1").arg(i + 1), paths[i]);
    }

    MainWindow& frame() { return *m_app.mainWindow(); }

    QTemporaryDir m_dir;
    ScriptedMessageBoxes m_boxes;
    ScriptedFileDialogs m_dialogs;
    RecordingView* m_view = nullptr;
    Application m_app;
};

} // namespace

TEST_F(AppTest, FirstStartShowsANewUntitledDocumentWithoutErrorAndSpeaksGerman)
{
    ASSERT_TRUE(m_app.startUp({"jhavari-training"}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(frame().isVisible());
    EXPECT_EQ(frame().windowTitle(), "Unbenannt - Jhavari-Training");
    EXPECT_EQ(frame().view(), m_view);
    EXPECT_TRUE(m_boxes.m_messages.isEmpty());
    EXPECT_STREQ(m_app.document()->trainingTypes()[0].m_name.c_str(), "Apana Jhavari (Samatha Bhavana)");
    EXPECT_EQ(m_view->m_updates, 0) << "the first new document notifies nobody";

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Ja");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), "Nein");
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove('&'), "Abbrechen");
}

TEST_F(AppTest, DeletedLastFileIsReportedAfterStartAndLeavesMenuAndProfile)
{
    const QString deleted = m_dir.filePath("deleted.con");
    const QString older = writeDocument("older.con", 1);
    writeRecentFiles({deleted, older});

    ASSERT_TRUE(m_app.startUp({"jhavari-training"}));
    EXPECT_TRUE(m_boxes.m_messages.isEmpty()) << "reported only once the event loop runs";
    QCoreApplication::processEvents();
    EXPECT_EQ(m_boxes.m_messages, QStringList({deleted + " wurde nicht gefunden."}));
    EXPECT_EQ(frame().windowTitle(), "Unbenannt - Jhavari-Training");
    EXPECT_EQ(frame().commandAction(CommandId::kFileMru1)->text(), "&1 " + older);
    EXPECT_FALSE(frame().commandAction(CommandId::kFileMru1 + 1)->isVisible());
    const auto profile = openProfile();
    EXPECT_EQ(profile->value("Recent File List/File1").toString(), older);
    EXPECT_FALSE(profile->contains("Recent File List/File2"));

    frame().commandAction(CommandId::kFileMru1)->trigger();
    EXPECT_EQ(frame().windowTitle(), "older.con - Jhavari-Training");
}

TEST_F(AppTest, LastFileIsReopenedAfterStartAndKeepsItsSettings)
{
    const QString last = writeDocument("last.con", 0);
    writeRecentFiles({last});
    ASSERT_TRUE(m_app.startUp({"jhavari-training"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(frame().windowTitle(), "last.con - Jhavari-Training");
    EXPECT_EQ(m_app.document()->settings().m_timeSound, 0);
    EXPECT_EQ(m_view->m_updates, 1);
}

TEST_F(AppTest, CommandLineDocumentIsOpenedAfterTheViewsSetUpAndKeepsItsSettings)
{
    const QString named = writeDocument("named.con", 0);
    ASSERT_TRUE(m_app.startUp({"jhavari-training", named}));
    EXPECT_TRUE(m_view->m_documentWasNew);
    EXPECT_EQ(m_view->m_updates, 1);
    EXPECT_EQ(m_app.document()->settings().m_timeSound, 0);
    QCoreApplication::processEvents();
    // Reopening entry 1 finds the file already open and loads nothing again.
    EXPECT_EQ(m_view->m_updates, 1);
    EXPECT_EQ(frame().windowTitle(), "named.con - Jhavari-Training");
}

TEST_F(AppTest, CommandLineDocumentThatFailsEndsTheStart)
{
    const QString missing = m_dir.filePath("missing.con");
    EXPECT_FALSE(m_app.startUp({"jhavari-training", missing}));
    EXPECT_EQ(m_boxes.m_messages, QStringList({missing + " wurde nicht gefunden."}));
    EXPECT_NE(m_app.exitCode(), 0);
    EXPECT_FALSE(m_app.mainWindow()->isVisible());
}

TEST_F(AppTest, FileAcceleratorsAndExitReachTheFramework)
{
    ASSERT_TRUE(m_app.startUp({"jhavari-training"}));
    QCoreApplication::processEvents();
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    m_app.document()->setModified();

    QTest::keyClick(&frame(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_boxes.m_questions.value(0), "Änderungen in Unbenannt speichern?");
    QTest::keyClick(&frame(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs.m_titles.value(0), "Öffnen");
    QTest::keyClick(&frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_dialogs.m_titles.value(1), "Speichern unter");

    // Exit asks first; Cancel keeps the program open, No closes it.
    m_boxes.m_answers = {Answer::Cancel};
    frame().commandAction(CommandId::kAppExit)->trigger();
    EXPECT_TRUE(frame().isVisible());
    m_boxes.m_answers = {Answer::No};
    frame().commandAction(CommandId::kAppExit)->trigger();
    EXPECT_FALSE(frame().isVisible());
    EXPECT_EQ(m_boxes.m_questions.size(), 3);
}

TEST_F(AppTest, NewOpenAndExitEndTheRecordingBeforeAskingToSave)
{
    ASSERT_TRUE(m_app.startUp({"jhavari-training"}));
    QCoreApplication::processEvents();
    // Stands for a measuring run whose cut-off interval goes into the document.
    int ended = 0;
    QObject::connect(&m_app, &Application::documentLeaving, [this, &ended] {
        ++ended;
        m_app.document()->setModified();
    });
    m_app.document()->setModified(false);
    // Open asks only once a file is chosen; here its dialog is cancelled.
    m_boxes.m_answers = {Answer::Cancel, Answer::No};
    for (int command : {CommandId::kFileNew, CommandId::kFileOpen, CommandId::kAppExit}) {
        m_app.document()->setModified(false);
        frame().commandAction(command)->trigger();
    }
    EXPECT_EQ(ended, 3);
    EXPECT_EQ(m_boxes.m_questions, QStringList(2, "Änderungen in Unbenannt speichern?"));
    EXPECT_FALSE(frame().isVisible());
}

TEST_F(AppTest, ExitEndsTheProgramAlsoWithADiagramWindowOpen)
{
    ASSERT_TRUE(m_app.startUp({"jhavari-training"}));
    QWidget diagram; // a modeless diagram window has no parent
    diagram.show();
    bool stillRunning = false;
    QTimer::singleShot(0, [this] { frame().commandAction(CommandId::kAppExit)->trigger(); });
    QTimer::singleShot(3000, [&stillRunning] {
        stillRunning = true;
        QCoreApplication::exit(1);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(stillRunning);
    EXPECT_FALSE(frame().isVisible());
    EXPECT_FALSE(diagram.isVisible()) << "it closes with the main window";
}

TEST_F(AppTest, PrinterSetUpLetsChooseThePrinterAndKeepsTheSettingsOnCancel)
{
    ASSERT_TRUE(m_app.startUp({"jhavari-training"}));
    m_app.printer()->setPageOrientation(QPageLayout::Landscape);
    QString title;
    QString okText;
    bool offersPageRange = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "the print dialog serves as the set-up";
        title = dialog->windowTitle();
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            okText = buttons->button(QDialogButtonBox::Ok)->text();
        offersPageRange = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        dialog->reject();
    });
    frame().commandAction(CommandId::kFilePrintSetup)->trigger();
    EXPECT_EQ(title, "Druckeinrichtung");
    EXPECT_EQ(okText, "OK");
    EXPECT_FALSE(offersPageRange);
    EXPECT_EQ(m_app.printer()->pageLayout().orientation(), QPageLayout::Landscape);
}
