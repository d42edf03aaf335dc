#include "dialogs/manual_entry_dialog.h"
#include "editing/document_editor.h"
#include "platform/time_picker.h"
#include "tests/dialogs/widgets/dialog_test_support.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <ctime>

namespace {

CalendarTime at(int hour, int minute, int second)
{
    return makeLocalTime(2026, 3, 10, hour, minute, second);
}

class ManualEntryDialogTest : public ::testing::Test {
protected:
    void open(const char* number, CalendarTime start, CalendarTime end)
    {
        dialog.propose(number, start, end);
        dialog.show();
    }
    QLineEdit* numberEdit() { return control<QLineEdit>(&dialog, ManualEntryDialog::IDC_NUMBER); }
    TimePicker* start() { return control<TimePicker>(&dialog, ManualEntryDialog::IDC_START_TIME); }
    TimePicker* end() { return control<TimePicker>(&dialog, ManualEntryDialog::IDC_END_TIME); }
    QCheckBox* uddhacca() { return control<QCheckBox>(&dialog, ManualEntryDialog::IDC_UDDHACCA); }
    QDateEdit* date() { return control<QDateEdit>(&dialog, ManualEntryDialog::IDC_DATE); }
    QCheckBox* nextDay() { return control<QCheckBox>(&dialog, ManualEntryDialog::IDC_END_NEXT_DAY); }
    void typeNumber(const char* text)
    {
        numberEdit()->clear();
        QTest::keyClicks(numberEdit(), QString::fromUtf8(text));
    }
    void insert()
    {
        QTest::mouseClick(control<QPushButton>(&dialog, ManualEntryDialog::IDC_INSERT_INTERVAL), Qt::LeftButton);
    }

    RecordingMessageBoxes boxes;
    TrainingDocument document;
    DocumentEditor editor{document};
    const TrainingType& type = document.trainingTypes()[0];
    ManualEntryDialog dialog{editor, 0};
};

} // namespace

TEST_F(ManualEntryDialogTest, InsertsRunsOfOneMeasurementAndProposesTheNext)
{
    open("1", at(10, 0, 0), at(10, 10, 0));
    EXPECT_EQ(numberEdit()->text(), "1");
    EXPECT_EQ(start()->time(), QTime(10, 0, 0));
    EXPECT_EQ(end()->time(), QTime(10, 10, 0));

    uddhacca()->setChecked(true);
    insert();
    EXPECT_TRUE(boxes.messages.isEmpty());
    ASSERT_EQ(type.m_records.size(), 1);
    IntervalRecord first = record().measurement(1).run(1).from(at(10, 0, 0)).to(at(10, 10, 0));
    first.m_uddhacca = 1;
    EXPECT_EQ(type.m_records[0], first);
    EXPECT_EQ(editor.undoStack().undoText(), "add interval") << "each insertion is a step of its own";
    // The next interval is proposed; number and check box stay for the next run.
    EXPECT_EQ(start()->time(), QTime(10, 10, 20));
    EXPECT_EQ(end()->time(), QTime(10, 20, 0));
    EXPECT_EQ(numberEdit()->text(), "1");
    EXPECT_TRUE(uddhacca()->isChecked());
    EXPECT_TRUE(dialog.isVisible());

    uddhacca()->setChecked(false);
    insert();
    ASSERT_EQ(type.m_records.size(), 2);
    EXPECT_EQ(type.m_records[1], record().measurement(1).run(2).from(at(10, 10, 20)).to(at(10, 20, 0)));
    EXPECT_EQ(start()->time(), QTime(10, 20, 20));
    EXPECT_EQ(end()->time(), QTime(10, 29, 40));
}

TEST_F(ManualEntryDialogTest, RefusedInputShowsItsMessageAndStaysAsTyped)
{
    for (int measurement = 1; measurement <= 4; ++measurement)
        append(document, type,
               record().measurement(measurement).run(1).from(at(8, measurement, 0)).to(at(8, measurement, 30)));
    open("1", at(9, 0, 0), at(9, 0, 20));

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
        typeNumber(c.number);
        start()->setTime(c.start);
        end()->setTime(c.end);
        insert();
        EXPECT_EQ(boxes.messages, QStringList{QString::fromUtf8(c.message)}) << c.number;
        EXPECT_EQ(numberEdit()->text(), QString::fromUtf8(c.number));
        EXPECT_EQ(start()->time(), c.start);
        EXPECT_EQ(end()->time(), c.end);
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(type.m_records.size(), 4);

    // One second after the last recorded interval ended is free.
    boxes.messages.clear();
    typeNumber("4");
    start()->setTime(QTime(8, 4, 31));
    end()->setTime(QTime(8, 4, 50));
    insert();
    EXPECT_TRUE(boxes.messages.isEmpty());
    ASSERT_EQ(type.m_records.size(), 5);
    EXPECT_EQ(type.m_records[4].m_run, 2);

    // 65537 is taken as measurement 1, which is no longer allowed here.
    typeNumber("65537");
    start()->setTime(QTime(12, 0, 0));
    end()->setTime(QTime(12, 0, 30));
    insert();
    EXPECT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages[0].startsWith("Error: The measurement number"));
}

TEST_F(ManualEntryDialogTest, TheDateFieldSetsTheDayAndFollowsTheProposalPastMidnight)
{
    open("1", at(10, 0, 0), at(10, 0, 20));
    EXPECT_EQ(date()->date(), QDate(2026, 3, 10)) << "the day of the proposed start";
    EXPECT_FALSE(nextDay()->isChecked());

    // A sitting forgotten two days before, ending just before midnight.
    date()->setDate(QDate(2026, 3, 8));
    start()->setTime(QTime(23, 40, 0));
    end()->setTime(QTime(23, 55, 0));
    insert();
    ASSERT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(type.m_records[0].m_timeStart, makeLocalTime(2026, 3, 8, 23, 40, 0));
    // The next proposal, 23:55:20 to 00:10:00, ends on the next day.
    EXPECT_EQ(date()->date(), QDate(2026, 3, 8));
    EXPECT_EQ(start()->time(), QTime(23, 55, 20));
    EXPECT_EQ(end()->time(), QTime(0, 10, 0));
    EXPECT_TRUE(nextDay()->isChecked());
    insert();
    ASSERT_EQ(type.m_records.size(), 2);
    EXPECT_EQ(type.m_records[1].m_timeEnd, makeLocalTime(2026, 3, 9, 0, 10, 0));
    // The one after begins past midnight: the date moves on.
    EXPECT_EQ(date()->date(), QDate(2026, 3, 9));
    EXPECT_EQ(start()->time(), QTime(0, 10, 20));
    EXPECT_FALSE(nextDay()->isChecked());
}

TEST_F(ManualEntryDialogTest, EnterInsertsWithItsChecksAndEscapeCloses)
{
    open("1", at(10, 0, 0), at(10, 0, 30));
    dialog.activateWindow();
    auto* insert = control<QPushButton>(&dialog, ManualEntryDialog::IDC_INSERT_INTERVAL);
    EXPECT_TRUE(insert->isDefault());
    insert->setFocus();
    QTest::keyClick(insert, Qt::Key_Return);
    EXPECT_EQ(type.m_records.size(), 1);

    // From a field, Enter inserts the proposed next interval and keeps the dialog open.
    numberEdit()->setFocus();
    QTest::keyClick(numberEdit(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(type.m_records.size(), 2);
    EXPECT_EQ(editor.undoStack().count(), 2);
    // A refused interval is refused as by the button.
    typeNumber("0");
    QTest::keyClick(numberEdit(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(boxes.messages.size(), 1);
    EXPECT_EQ(type.m_records.size(), 2);

    QTest::keyClick(numberEdit(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(type.m_records.size(), 2);
}

TEST_F(ManualEntryDialogTest, ArrowsStepTheNumberWithinTheirRange)
{
    open("1", at(10, 0, 0), at(10, 0, 30));
    QWidget* spin = control<QWidget>(&dialog, ManualEntryDialog::IDC_NUMBER_SPIN);
    ASSERT_TRUE(spin);
    auto* up = spin->findChild<QToolButton*>("up");
    auto* down = spin->findChild<QToolButton*>("down");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(numberEdit()->text(), "2");
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(numberEdit()->text(), "0");
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(numberEdit()->text(), "0");
    typeNumber("abc");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(numberEdit()->text(), "1");
    typeNumber("100");
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(numberEdit()->text(), "100");
    QTest::keyClick(numberEdit(), Qt::Key_Down);
    QTest::keyClick(numberEdit(), Qt::Key_Down);
    EXPECT_EQ(numberEdit()->text(), "98");
    QTest::keyClick(numberEdit(), Qt::Key_Up);
    EXPECT_EQ(numberEdit()->text(), "99");
}
