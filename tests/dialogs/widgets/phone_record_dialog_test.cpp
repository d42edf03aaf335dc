#include "dialogs/phone_record_dialog.h"
#include "editing/document_editor.h"
#include "tests/dialogs/widgets/dialog_test_support.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <ctime>
#include <memory>

namespace {

// Of two zones with opposite seasons, the one in daylight saving time now.
const char* zoneInDaylightSavingNow()
{
    static const char* const zones[] = {"CET-1CEST,M3.5.0,M10.5.0/3", "AEST-10AEDT,M10.1.0,M4.1.0/3"};
    for (const char* zone : zones) {
        const ScopedTimeZone probe(zone);
        if (breakLocalTime(std::time(nullptr)).tm_isdst > 0)
            return zone;
    }
    return zones[0];
}

class PhoneRecordDialogTest : public ::testing::Test {
protected:
    QLineEdit* edit(QWidget* dialog) { return control<QLineEdit>(dialog, PhoneRecordDialog::IDC_RECORD); }
    QString caption(QWidget* dialog) { return control<QLabel>(dialog, PhoneRecordDialog::IDC_RECORD_CAPTION)->text(); }
    void enter(QWidget* dialog, const char* record)
    {
        QLineEdit* field = edit(dialog);
        field->clear();
        QTest::keyClicks(field, QString::fromUtf8(record));
        QTest::keyClick(field, Qt::Key_Return);
    }

    RecordingMessageBoxes boxes;
    TrainingDocument document;
    DocumentEditor editor{document};
    const TrainingType& type = document.trainingTypes()[0];
};

} // namespace

TEST_F(PhoneRecordDialogTest, TheFieldShowsTheRecordFormatWithAnExampleItAccepts)
{
    const ScopedTimeZone utc("UTC0");
    PhoneRecordDialog dialog(editor, 0, 1);
    dialog.show();
    const QString hint = edit(&dialog)->placeholderText();
    ASSERT_TRUE(hint.contains("e.g. ")) << hint.toStdString();
    EXPECT_TRUE(edit(&dialog)->toolTip().contains("\"x\"")) << "the tool tip tells how uddhacca is noted";
    enter(&dialog, hint.section("e.g. ", 1).toUtf8().constData());
    EXPECT_TRUE(boxes.messages.isEmpty());
    ASSERT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(type.m_records[0].length(), 900);
}

TEST_F(PhoneRecordDialogTest, EnterSavesEachRecordAndTheCaptionCountsRuns)
{
    const ScopedTimeZone utc("UTC0");
    auto opened = std::make_unique<PhoneRecordDialog>(editor, 0, 12);
    PhoneRecordDialog& dialog = *opened;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Manual data entry from mobile phone");
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 1:");

    enter(&dialog, "100-200");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(boxes.messages.isEmpty());
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 2:");
    EXPECT_EQ(edit(&dialog)->text(), "100-200");
    ASSERT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(type.m_records[0], record().measurement(12).run(1).from(100).to(200));

    enter(&dialog, "150-300");
    enter(&dialog, "200-300");
    EXPECT_EQ(boxes.messages, (QStringList{"Invalid Input", "Invalid Input"}));
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 2:");
    // The refused text stays, wholly selected for retyping.
    EXPECT_EQ(edit(&dialog)->text(), "200-300");
    EXPECT_EQ(edit(&dialog)->selectedText(), "200-300");

    enter(&dialog, "201 x 300");
    ASSERT_EQ(type.m_records.size(), 2);
    IntervalRecord uddhacca = record().measurement(12).run(2).from(201).to(300);
    uddhacca.m_uddhacca = 1;
    EXPECT_EQ(type.m_records[1], uddhacca);
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 3:");

    // The button saves as Enter does; Esc closes without storing.
    edit(&dialog)->setText("400-500");
    QTest::mouseClick(control<QPushButton>(&dialog, PhoneRecordDialog::IDC_SAVE_RECORD), Qt::LeftButton);
    EXPECT_EQ(type.m_records.size(), 3);
    edit(&dialog)->setText("600-700");
    QTest::keyClick(edit(&dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(type.m_records.size(), 3);

    // The records of one opening are one step of the undo history.
    opened.reset();
    ASSERT_EQ(editor.undoStack().count(), 1);
    EXPECT_EQ(editor.undoStack().undoText(), "add 3 phone records");
    editor.undoStack().undo();
    EXPECT_EQ(type.m_records.size(), 0);
    editor.undoStack().redo();
    EXPECT_EQ(type.m_records.size(), 3);
}

TEST_F(PhoneRecordDialogTest, DaylightSavingAtOpeningShiftsTheRecords)
{
    {
        const ScopedTimeZone summer(zoneInDaylightSavingNow());
        PhoneRecordDialog dialog(editor, 0, 1);
        dialog.show();
        enter(&dialog, "1000-2000");
    }
    {
        const ScopedTimeZone utc("UTC0");
        PhoneRecordDialog dialog(editor, 0, 2);
        dialog.show();
        enter(&dialog, "1000-2000");
    }
    ASSERT_EQ(type.m_records.size(), 2);
    EXPECT_EQ(type.m_records[0].m_timeStart, 4600);
    EXPECT_EQ(type.m_records[0].m_timeEnd, 5600);
    EXPECT_EQ(type.m_records[1].m_timeStart, 1000);
    EXPECT_EQ(type.m_records[1].m_timeEnd, 2000);
}

TEST_F(PhoneRecordDialogTest, MeasurementBeyond65535IsRefusedWithAMessage)
{
    PhoneRecordDialog dialog(editor, 0, 65536);
    dialog.show();
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 65536, Lauf-Nr. 1:");
    enter(&dialog, "100-200");
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages[0].contains("65536"));
    EXPECT_EQ(type.m_records.size(), 0);
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 65536, Lauf-Nr. 1:");
    EXPECT_EQ(edit(&dialog)->selectedText(), "100-200");
}

TEST_F(PhoneRecordDialogTest, ARecordOverlappingARecordedIntervalIsRefusedWithTheOverlapMessage)
{
    const ScopedTimeZone utc("UTC0");
    append(document, type, record().measurement(1).run(1).from(1000).to(2000));
    PhoneRecordDialog dialog(editor, 0, 2);
    dialog.show();
    enter(&dialog, "1000-1500");
    EXPECT_EQ(boxes.messages, QStringList{"Error: Invalid time range. Time ranges overlap"});
    EXPECT_EQ(type.m_records.size(), 1);
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 2, Lauf-Nr. 1:");
    EXPECT_EQ(edit(&dialog)->selectedText(), "1000-1500");
}
