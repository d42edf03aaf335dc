#include "app/main_window.h"

#include "app/command_ids.h"
#include "practice/measuring_state.h"
#include "tests/app/test_doubles.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace {

QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

class ShownFrame : public testing::Test {
protected:
    ShownFrame()
    {
        m_edit = new QLineEdit(&m_frame);
        m_frame.setView(m_edit);
        m_frame.show();
        m_frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_frame));
        m_edit->setFocus();
        m_frame.followMeasuring(&m_measuring);
    }

    MeasuringState m_measuring;
    MainWindow m_frame;
    QLineEdit* m_edit;
};

} // namespace

TEST(MainFrame, MenusCarryTheirTextsAndTheHelpMenuStandsRight)
{
    MainWindow frame;
    frame.resize(700, 400);
    frame.show();
    QList<QMenu*> menus;
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->menu())
            menus.append(action->menu());
    }
    ASSERT_EQ(menus.size(), 5);
    EXPECT_EQ(menus[0]->title(), "&File");
    EXPECT_EQ(menus[1]->title(), "&Edit");
    EXPECT_EQ(menus[2]->title(), "&Options");
    EXPECT_EQ(menus[3]->title(), "&View");
    EXPECT_EQ(menus[4]->title(), "&?");
    EXPECT_EQ(menuTexts(menus[0]).mid(0, 15),
              QStringList({"&New\tStrg+N", "&Open...\tStrg+O", "&Save\tStrg+S", "Save &as...", "-", "Export as &CSV...",
                           "Export as &JSON...", "&Import intervals...", "-", "&Print...\tStrg+P", "P&rinter set up...",
                           "-", "Last File", "", ""}));
    EXPECT_EQ(menuTexts(menus[1]), QStringList({"&Undo\tStrg+Z", "&Redo\tStrg+Y", "-", "Add &interval...\tStrg+Alt+D",
                                                "Add &phone records..."}));
    EXPECT_EQ(menuTexts(menus[2]),
              QStringList({"Interval filter", "Time sound every 5 min", "Restore default settings"}));
    EXPECT_EQ(menuTexts(menus[3]), QStringList({"&Toolbar", "Practice summary..."}));
    EXPECT_EQ(menuTexts(menus[4]), QStringList({"&Help\tF1", "Internet && Inf&o about Jhavari-Training..."}));
    EXPECT_TRUE(frame.commandAction(CommandId::kTimeSound)->isCheckable());

    const QRect help = frame.menuBar()->actionGeometry(menus[4]->menuAction());
    const QRect view = frame.menuBar()->actionGeometry(menus[3]->menuAction());
    EXPECT_GT(help.left(), view.right() + 200);
    EXPECT_GE(help.right(), frame.menuBar()->width() - 20);
}

TEST(MainFrame, TitleRecentFilesAndToolBar)
{
    MainWindow frame;
    frame.setDocumentTitle("Unbenannt");
    EXPECT_EQ(frame.windowTitle(), "Unbenannt - Jhavari-Training");

    QAction* first = frame.commandAction(CommandId::kFileMru1);
    EXPECT_FALSE(first->isEnabled());
    frame.showRecentFiles({"/data/a.con", "/data/b.con"});
    EXPECT_TRUE(first->isEnabled());
    EXPECT_EQ(first->text(), "&1 /data/a.con");
    EXPECT_EQ(frame.commandAction(CommandId::kFileMru1 + 1)->text(), "&2 /data/b.con");
    EXPECT_FALSE(frame.commandAction(CommandId::kFileMru1 + 2)->isVisible());
    EXPECT_EQ(first->statusTip(), "Open this document.");
    frame.showRecentFiles({});
    EXPECT_EQ(first->text(), "Last File");
    EXPECT_FALSE(frame.commandAction(CommandId::kFileMru1 + 1)->isVisible());

    frame.show();
    QToolBar* toolBar = frame.findChild<QToolBar*>("59392");
    ASSERT_NE(toolBar, nullptr);
    EXPECT_FALSE(toolBar->isVisible());
    QStringList tips;
    for (QAction* action : toolBar->actions())
        tips.append(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
    for (QAction* action : toolBar->actions())
        EXPECT_TRUE(action->isSeparator() || !action->icon().isNull()) << action->toolTip().toStdString();
    EXPECT_EQ(tips, QStringList({"New", "Open", "Save", "-", "Print"}));
    QAction* toggle = frame.commandAction(CommandId::kViewToolbar);
    toggle->trigger();
    EXPECT_TRUE(toolBar->isVisible());
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(toolBar->isVisible());
    EXPECT_FALSE(toggle->isChecked());
}

TEST_F(ShownFrame, AcceleratorsReachTheirCommandsBeforeTheFocusedField)
{
    const std::pair<QKeyCombination, int> keys[] = {
        {Qt::CTRL | Qt::Key_N, CommandId::kFileNew},
        {Qt::CTRL | Qt::Key_O, CommandId::kFileOpen},
        {Qt::CTRL | Qt::Key_S, CommandId::kFileSave},
        {Qt::CTRL | Qt::Key_P, CommandId::kFilePrintPreview},
        {QKeyCombination(Qt::Key_F10), CommandId::kMeasuringMode},
        {Qt::CTRL | Qt::ALT | Qt::Key_D, CommandId::kManualEntry},
        {QKeyCombination(Qt::Key_F1), CommandId::kHelpPage},
    };
    for (const auto& [combination, commandId] : keys) {
        QSignalSpy triggered(m_frame.commandAction(commandId), &QAction::triggered);
        QTest::keyClick(m_edit, combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(triggered.size(), 1) << commandId;
    }
}

TEST_F(ShownFrame, EditingKeysOfTheAcceleratorTableDoNothing)
{
    QTest::keyClicks(m_edit, "abc");
    m_edit->selectAll();
    QTest::keyClick(m_edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(m_edit, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(m_edit, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(m_edit->text(), "abc");
    m_edit->setText("");
    QTest::keyClick(m_edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_edit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(m_edit->text(), "");
    // Plain typing still reaches the field.
    QTest::keyClicks(m_edit, "x");
    EXPECT_EQ(m_edit->text(), "x");
}

TEST_F(ShownFrame, UndoAndRedoNameTheirStepAndRestWhileMeasuring)
{
    // A step that counts how often it was taken back and made again.
    class CountingStep : public QUndoCommand {
    public:
        CountingStep(int& done) : QUndoCommand(QStringLiteral("delete 3 intervals")), m_done(done) { }
        void undo() override { --m_done; }
        void redo() override { ++m_done; }
        int& m_done;
    };
    QUndoStack stack;
    m_frame.followUndoStack(&stack);
    QAction* undo = m_frame.commandAction(CommandId::kEditUndo);
    QAction* redo = m_frame.commandAction(CommandId::kEditRedo);
    EXPECT_FALSE(undo->isEnabled());
    int done = 0;
    stack.push(new CountingStep(done));
    EXPECT_EQ(undo->text(), "&Undo delete 3 intervals\tStrg+Z");
    EXPECT_TRUE(undo->isEnabled());

    m_measuring.setPhase(MeasuringPhase::Waiting);
    EXPECT_FALSE(undo->isEnabled());
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(done, 1) << "nothing is undone while measuring";
    m_measuring.setPhase(MeasuringPhase::Off);
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(done, 0);
    EXPECT_EQ(undo->text(), "&Undo\tStrg+Z");
    EXPECT_EQ(redo->text(), "&Redo delete 3 intervals\tStrg+Y");
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(done, 1);
    QTest::keyClick(m_edit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(m_edit, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(done, 1);
}

TEST_F(ShownFrame, AJournalThatCannotBeWrittenIsToldOnceAndNotWhileMeasuring)
{
    ScriptedMessageBoxes boxes;
    m_measuring.setPhase(MeasuringPhase::Recording);
    m_frame.showJournalProtection(false, QStringLiteral("cannot write (No space left on device)"));
    EXPECT_EQ(m_frame.journalNotice(), QStringLiteral("Änderungen ungeschützt"));
    EXPECT_TRUE(boxes.m_messages.isEmpty()) << "the practice is not interrupted";
    m_measuring.setPhase(MeasuringPhase::Off);
    EXPECT_EQ(boxes.m_messages, QStringList{"cannot write (No space left on device)"});
    m_measuring.setPhase(MeasuringPhase::Waiting);
    m_measuring.setPhase(MeasuringPhase::Off);
    EXPECT_EQ(boxes.m_messages.size(), 1) << "told once";
    m_frame.showJournalProtection(true, QString());
    EXPECT_TRUE(m_frame.journalNotice().isEmpty());
}

TEST_F(ShownFrame, StatusPaneShowsPromptsWhileHighlightedAndTheViewsText)
{
    EXPECT_EQ(m_frame.statusText(), "Meditation interval measurement mode off.");
    m_frame.commandAction(CommandId::kFileSaveAs)->showStatusText(&m_frame);
    EXPECT_EQ(m_frame.statusBar()->currentMessage(), "Saves the active document with a new file name");
    m_frame.commandAction(CommandId::kAppExit)->showStatusText(&m_frame);
    EXPECT_EQ(m_frame.statusBar()->currentMessage(), "Leaves the application;  asks if you want to save documents.");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&m_frame, &leave);
    EXPECT_TRUE(m_frame.statusBar()->currentMessage().isEmpty());

    m_frame.setStatusText("Waiting for mouse-start (left mouse button) ...");
    EXPECT_EQ(m_frame.statusText(), "Waiting for mouse-start (left mouse button) ...");
}

TEST_F(ShownFrame, OutsideMeasuringTheIdleTextComesBackAfterThePendingEvents)
{
    m_frame.setStatusText("Default settings restored");
    QCoreApplication::processEvents();
    EXPECT_EQ(m_frame.statusText(), "Meditation interval measurement mode off.");
    m_measuring.setPhase(MeasuringPhase::Waiting);
    m_frame.setStatusText("Waiting for mouse-start (left mouse button) ...");
    QCoreApplication::processEvents();
    EXPECT_EQ(m_frame.statusText(), "Waiting for mouse-start (left mouse button) ...");
    m_measuring.setPhase(MeasuringPhase::Off);
    EXPECT_EQ(m_frame.statusText(), "Meditation interval measurement mode off.");
}

TEST_F(ShownFrame, ActivationChangesReachTheViewOnlyWhileMeasuring)
{
    QSignalSpy activation(&m_frame, &MainWindow::measuringActivationChanged);
    m_frame.onActivateApp(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(activation.size(), 0);

    m_measuring.setPhase(MeasuringPhase::Waiting);
    m_frame.onActivateApp(false);
    EXPECT_EQ(activation.size(), 0) << "posted, not sent";
    QCoreApplication::processEvents();
    m_frame.onActivateApp(true);
    QCoreApplication::processEvents();
    ASSERT_EQ(activation.size(), 2);
    EXPECT_FALSE(activation[0][0].toBool());
    EXPECT_TRUE(activation[1][0].toBool());

    // The mode ended before the posted message arrived.
    m_frame.onActivateApp(false);
    m_measuring.setPhase(MeasuringPhase::Off);
    QCoreApplication::processEvents();
    EXPECT_EQ(activation.size(), 2);
}
