#include "dialog_commands.h"
#include "dialog_test_support.h"
#include "entry_test_support.h"
#include "manual_entry_dialog.h"
#include "measuring_mode_flag.h"
#include "time_picker.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <ctime>

namespace {

CalendarTime At(int hour, int minute, int second)
{
    return MakeLocalTime(2026, 3, 10, hour, minute, second);
}

class ManualEntryDialog : public ::testing::Test {
protected:
    void Open(const char* number, CalendarTime start, CalendarTime end)
    {
        dialog.m_strNumber = number;
        dialog.m_timeStart = start;
        dialog.m_timeEnd = end;
        dialog.show();
    }
    QLineEdit* NumberEdit() { return Control<QLineEdit>(&dialog, CTestDlg::IDC_NUMBER); }
    CTimePicker* Start() { return Control<CTimePicker>(&dialog, CTestDlg::IDC_START_TIME); }
    CTimePicker* End() { return Control<CTimePicker>(&dialog, CTestDlg::IDC_END_TIME); }
    QCheckBox* Uddhacca() { return Control<QCheckBox>(&dialog, CTestDlg::IDC_UDDHACCA); }
    void TypeNumber(const char* text)
    {
        NumberEdit()->clear();
        QTest::keyClicks(NumberEdit(), QString::fromUtf8(text));
    }
    void Insert() { QTest::mouseClick(Control<QPushButton>(&dialog, CTestDlg::IDC_INSERT_INTERVAL), Qt::LeftButton); }

    RecordingMessageBoxes boxes;
    TrainingType type;
    std::vector<CDataEntry> shownRows;
    CTestDlg dialog{type, [this](const CDataEntry& entry) { shownRows.push_back(entry); }};
};

} // namespace

TEST_F(ManualEntryDialog, InsertsRunsOfOneMeasurementAndProposesTheNext)
{
    Open("1", At(10, 0, 0), At(10, 10, 0));
    EXPECT_EQ(NumberEdit()->text(), "1");
    EXPECT_EQ(Start()->time(), QTime(10, 0, 0));
    EXPECT_EQ(End()->time(), QTime(10, 10, 0));

    Uddhacca()->setChecked(true);
    Insert();
    EXPECT_TRUE(boxes.messages.isEmpty());
    ASSERT_EQ(type.m_aEntries.GetSize(), 1);
    CDataEntry first = Entry(At(10, 0, 0), At(10, 10, 0), 1, 1);
    first.m_bUddhacca = 1;
    EXPECT_EQ(type.m_aEntries[0], first);
    ASSERT_EQ(shownRows.size(), 1u);
    EXPECT_EQ(shownRows[0], first);
    // The next interval is proposed; number and check box stay for the next run.
    EXPECT_EQ(Start()->time(), QTime(10, 10, 20));
    EXPECT_EQ(End()->time(), QTime(10, 20, 0));
    EXPECT_EQ(NumberEdit()->text(), "1");
    EXPECT_TRUE(Uddhacca()->isChecked());
    EXPECT_TRUE(dialog.isVisible());

    Uddhacca()->setChecked(false);
    Insert();
    ASSERT_EQ(type.m_aEntries.GetSize(), 2);
    EXPECT_EQ(type.m_aEntries[1], Entry(At(10, 10, 20), At(10, 20, 0), 1, 2));
    EXPECT_EQ(Start()->time(), QTime(10, 20, 20));
    EXPECT_EQ(End()->time(), QTime(10, 29, 40));
}

TEST_F(ManualEntryDialog, RefusedInputShowsItsMessageAndStaysAsTyped)
{
    for (int measurement = 1; measurement <= 4; ++measurement)
        type.m_aEntries.Add(Entry(At(8, measurement, 0), At(8, measurement, 30), measurement, 1));
    Open("1", At(9, 0, 0), At(9, 0, 20));

    struct Case {
        const char* number;
        QTime start, end;
        const char* message;
    };
    const Case cases[] = {
        {"5", QTime(9, 0, 0), QTime(9, 0, 0), "Error: End time <= start time"},
        {"abc", QTime(9, 0, 0), QTime(9, 0, 20), "Error: Measurement number must not be 0."},
        {"3", QTime(9, 0, 0), QTime(9, 0, 20),
         "Error: The measurement number must either be the highest measurement number or the highest measurement "
         "number + 1."},
        {"5", QTime(8, 4, 30), QTime(8, 5, 0), "Error: Invalid time range. Time ranges overlap"},
        // Across midnight on the same date the end lies before the start.
        {"5", QTime(23, 59, 50), QTime(0, 0, 10), "Error: End time <= start time"},
    };
    for (const Case& c : cases) {
        boxes.messages.clear();
        TypeNumber(c.number);
        Start()->setTime(c.start);
        End()->setTime(c.end);
        Insert();
        EXPECT_EQ(boxes.messages, QStringList{QString::fromUtf8(c.message)}) << c.number;
        EXPECT_EQ(NumberEdit()->text(), QString::fromUtf8(c.number));
        EXPECT_EQ(Start()->time(), c.start);
        EXPECT_EQ(End()->time(), c.end);
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(type.m_aEntries.GetSize(), 4);
    EXPECT_TRUE(shownRows.empty());

    // One second after the last recorded interval ended is free.
    boxes.messages.clear();
    TypeNumber("4");
    Start()->setTime(QTime(8, 4, 31));
    End()->setTime(QTime(8, 4, 50));
    Insert();
    EXPECT_TRUE(boxes.messages.isEmpty());
    ASSERT_EQ(type.m_aEntries.GetSize(), 5);
    EXPECT_EQ(type.m_aEntries[4].m_nRun, 2);

    // 65537 is taken as measurement 1, which is no longer allowed here.
    TypeNumber("65537");
    Start()->setTime(QTime(12, 0, 0));
    End()->setTime(QTime(12, 0, 30));
    Insert();
    EXPECT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages[0].startsWith("Error: The measurement number"));
}

TEST_F(ManualEntryDialog, EnterClosesExceptOnAPushButton)
{
    Open("1", At(10, 0, 0), At(10, 0, 30));
    dialog.activateWindow();
    auto* insert = Control<QPushButton>(&dialog, CTestDlg::IDC_INSERT_INTERVAL);
    insert->setFocus();
    QTest::keyClick(insert, Qt::Key_Return);
    EXPECT_EQ(type.m_aEntries.GetSize(), 1);
    EXPECT_TRUE(dialog.isVisible());

    NumberEdit()->setFocus();
    QTest::keyClick(NumberEdit(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(type.m_aEntries.GetSize(), 1);
}

TEST_F(ManualEntryDialog, ArrowsStepTheNumberWithinTheirRange)
{
    Open("1", At(10, 0, 0), At(10, 0, 30));
    QWidget* spin = Control<QWidget>(&dialog, CTestDlg::IDC_NUMBER_SPIN);
    ASSERT_TRUE(spin);
    auto* up = spin->findChild<QToolButton*>("up");
    auto* down = spin->findChild<QToolButton*>("down");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(NumberEdit()->text(), "2");
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(NumberEdit()->text(), "0");
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(NumberEdit()->text(), "0");
    TypeNumber("abc");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(NumberEdit()->text(), "1");
    TypeNumber("100");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(NumberEdit()->text(), "100");
    QTest::keyClick(NumberEdit(), Qt::Key_Down);
    QTest::keyClick(NumberEdit(), Qt::Key_Down);
    EXPECT_EQ(NumberEdit()->text(), "98");
    QTest::keyClick(NumberEdit(), Qt::Key_Up);
    EXPECT_EQ(NumberEdit()->text(), "99");
}

TEST(OpenManualEntry, ClosingAlwaysCountsAsAChangeAndRefreshesTheView)
{
    RecordingMessageBoxes boxes;
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    TrainingType* type = doc.FindTrainingType(CVersenkwerkDoc::kDefaultTrainingTypeNames[0]);
    ASSERT_TRUE(type);
    std::vector<std::string> calls;
    EntryViewHooks hooks;
    hooks.addIntervalRow = [&](const CDataEntry&) { calls.push_back("row"); };
    hooks.fillIntervalList = [&] { calls.push_back("fill"); };
    hooks.refreshDiagrams = [&] { calls.push_back("diagrams"); };
    hooks.showOnlyLastMeasurement = [&] { calls.push_back("tick"); };

    const CalendarTime before = std::time(nullptr);
    QString number;
    QTime start, end;
    OnNextModal([&](QWidget* modal) {
        EXPECT_EQ(modal->windowTitle(), "Manual entry of intervals");
        number = Control<QLineEdit>(modal, CTestDlg::IDC_NUMBER)->text();
        start = Control<CTimePicker>(modal, CTestDlg::IDC_START_TIME)->time();
        end = Control<CTimePicker>(modal, CTestDlg::IDC_END_TIME)->time();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    OpenManualEntry(nullptr, doc, type, hooks);
    EXPECT_EQ(number, "1");
    EXPECT_EQ(start.secsTo(end), 20);
    const std::tm now = BreakLocalTime(before);
    EXPECT_LE(std::abs(QTime(now.tm_hour, now.tm_min, now.tm_sec).secsTo(start)), 2);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(calls, (std::vector<std::string>{"fill", "diagrams"}));

    // While measuring, and without a training type, the command does nothing.
    doc.SetModifiedFlag(false);
    calls.clear();
    g_bMeasuringMode = true;
    OpenManualEntry(nullptr, doc, type, hooks);
    g_bMeasuringMode = false;
    OpenManualEntry(nullptr, doc, nullptr, hooks);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(calls.empty());
}
