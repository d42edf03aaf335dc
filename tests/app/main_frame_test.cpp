#include "main_frame.h"

#include "command_ids.h"
#include "measuring_mode_flag.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace {

QStringList MenuTexts(const QMenu* menu)
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
        m_pEdit = new QLineEdit(&m_frame);
        m_frame.SetView(m_pEdit);
        m_frame.show();
        m_frame.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_frame));
        m_pEdit->setFocus();
    }
    ~ShownFrame() override { g_bMeasuringMode = false; }

    CMainFrame m_frame;
    QLineEdit* m_pEdit;
};

} // namespace

TEST(MainFrame, MenusCarryTheirTextsAndTheHelpMenuStandsRight)
{
    CMainFrame frame;
    frame.resize(700, 400);
    frame.show();
    QList<QMenu*> menus;
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->menu())
            menus.append(action->menu());
    }
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->title(), "&File");
    EXPECT_EQ(menus[1]->title(), "&Options");
    EXPECT_EQ(menus[2]->title(), "&View");
    EXPECT_EQ(menus[3]->title(), "&?");
    EXPECT_EQ(MenuTexts(menus[0]).mid(0, 11),
              QStringList({"&New\tStrg+N", "&Open...\tStrg+O", "&Save\tStrg+S", "Save &as...", "-",
                           "&Print...\tStrg+P", "P&rinter set up...", "-", "Last File", "", ""}));
    EXPECT_EQ(MenuTexts(menus[1]),
              QStringList({"Interval filter", "Time sound every 5 min", "Restore default settings"}));
    EXPECT_EQ(MenuTexts(menus[3]), QStringList({"Internet && Inf&o about Jhavari-Training..."}));
    EXPECT_TRUE(frame.GetCommandAction(CommandId::kTimeSound)->isCheckable());

    const QRect help = frame.menuBar()->actionGeometry(menus[3]->menuAction());
    const QRect view = frame.menuBar()->actionGeometry(menus[2]->menuAction());
    EXPECT_GT(help.left(), view.right() + 200);
    EXPECT_GE(help.right(), frame.menuBar()->width() - 20);
}

TEST(MainFrame, TitleRecentFilesAndToolBar)
{
    CMainFrame frame;
    frame.SetDocumentTitle("Unbenannt");
    EXPECT_EQ(frame.windowTitle(), "Unbenannt - Jhavari-Training");

    QAction* first = frame.GetCommandAction(CommandId::kFileMru1);
    EXPECT_FALSE(first->isEnabled());
    frame.ShowRecentFiles({"/data/a.con", "/data/b.con"});
    EXPECT_TRUE(first->isEnabled());
    EXPECT_EQ(first->text(), "&1 /data/a.con");
    EXPECT_EQ(frame.GetCommandAction(CommandId::kFileMru1 + 1)->text(), "&2 /data/b.con");
    EXPECT_FALSE(frame.GetCommandAction(CommandId::kFileMru1 + 2)->isVisible());
    EXPECT_EQ(first->statusTip(), "Open this document.");
    frame.ShowRecentFiles({});
    EXPECT_EQ(first->text(), "Last File");
    EXPECT_FALSE(frame.GetCommandAction(CommandId::kFileMru1 + 1)->isVisible());

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
    QAction* toggle = frame.GetCommandAction(CommandId::kViewToolbar);
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
    };
    for (const auto& [combination, commandId] : keys) {
        QSignalSpy triggered(m_frame.GetCommandAction(commandId), &QAction::triggered);
        QTest::keyClick(m_pEdit, combination.key(), combination.keyboardModifiers());
        EXPECT_EQ(triggered.size(), 1) << commandId;
    }
}

TEST_F(ShownFrame, EditingKeysOfTheAcceleratorTableDoNothing)
{
    QTest::keyClicks(m_pEdit, "abc");
    m_pEdit->selectAll();
    QTest::keyClick(m_pEdit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(m_pEdit, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(m_pEdit, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(m_pEdit, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(m_pEdit->text(), "abc");
    m_pEdit->setText("");
    QTest::keyClick(m_pEdit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(m_pEdit, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(m_pEdit->text(), "");
    // Plain typing still reaches the field.
    QTest::keyClicks(m_pEdit, "x");
    EXPECT_EQ(m_pEdit->text(), "x");
}

TEST_F(ShownFrame, StatusPaneShowsPromptsWhileHighlightedAndTheViewsText)
{
    EXPECT_EQ(m_frame.GetStatusText(), "Meditation interval measurement mode off.");
    m_frame.GetCommandAction(CommandId::kFileSaveAs)->showStatusText(&m_frame);
    EXPECT_EQ(m_frame.statusBar()->currentMessage(), "Saves the active document with a new file name");
    m_frame.GetCommandAction(CommandId::kAppExit)->showStatusText(&m_frame);
    EXPECT_EQ(m_frame.statusBar()->currentMessage(), "Leaves the application;  asks if you want to save documents.");
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&m_frame, &leave);
    EXPECT_TRUE(m_frame.statusBar()->currentMessage().isEmpty());

    m_frame.SetStatusText("Waiting for mouse-start (left mouse button) ...");
    EXPECT_EQ(m_frame.GetStatusText(), "Waiting for mouse-start (left mouse button) ...");
}

TEST_F(ShownFrame, ActivationChangesReachTheViewOnlyWhileMeasuring)
{
    QSignalSpy activation(&m_frame, &CMainFrame::MeasuringActivationChanged);
    m_frame.OnActivateApp(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(activation.size(), 0);

    g_bMeasuringMode = true;
    m_frame.OnActivateApp(false);
    EXPECT_EQ(activation.size(), 0) << "posted, not sent";
    QCoreApplication::processEvents();
    m_frame.OnActivateApp(true);
    QCoreApplication::processEvents();
    ASSERT_EQ(activation.size(), 2);
    EXPECT_FALSE(activation[0][0].toBool());
    EXPECT_TRUE(activation[1][0].toBool());

    // The mode ended before the posted message arrived.
    m_frame.OnActivateApp(false);
    g_bMeasuringMode = false;
    QCoreApplication::processEvents();
    EXPECT_EQ(activation.size(), 2);
}
