#include "dialogs/dialog_commands.h"
#include "dialogs/phone_record_dialog.h"
#include "tests/dialogs/widgets/dialog_test_support.h"
#include "tests/support/record_builder.h"
#include "tests/support/scoped_environment.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>

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
    const TrainingType& type = document.trainingTypes()[0];
    std::vector<IntervalRecord> shownRows;
    AddIntervalRowFn showRow = [this](const IntervalRecord& entry) { shownRows.push_back(entry); };
};

} // namespace

TEST_F(PhoneRecordDialogTest, EnterSavesEachRecordAndTheCaptionCountsRuns)
{
    const ScopedTimeZone utc("UTC0");
    PhoneRecordDialog dialog(document, &type, showRow, 12);
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
    ASSERT_EQ(shownRows.size(), 1u);
    EXPECT_EQ(shownRows[0], type.m_records[0]);

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
}

TEST_F(PhoneRecordDialogTest, DaylightSavingAtOpeningShiftsTheRecords)
{
    {
        const ScopedTimeZone summer(zoneInDaylightSavingNow());
        PhoneRecordDialog dialog(document, &type, showRow, 1);
        dialog.show();
        enter(&dialog, "1000-2000");
    }
    {
        const ScopedTimeZone utc("UTC0");
        PhoneRecordDialog dialog(document, &type, showRow, 2);
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
    PhoneRecordDialog dialog(document, &type, showRow, 65536);
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
    document.appendInterval(type, record().measurement(1).run(1).from(1000).to(2000));
    PhoneRecordDialog dialog(document, &type, showRow, 2);
    dialog.show();
    enter(&dialog, "1000-1500");
    EXPECT_EQ(boxes.messages, QStringList{"Error: Invalid time range. Time ranges overlap"});
    EXPECT_EQ(type.m_records.size(), 1);
    EXPECT_TRUE(shownRows.empty());
    EXPECT_EQ(caption(&dialog), "Mess-Nr. 2, Lauf-Nr. 1:");
    EXPECT_EQ(edit(&dialog)->selectedText(), "1000-1500");
}

TEST_F(PhoneRecordDialogTest, OpeningFromTheListTicksFillsAndAlwaysMarksModified)
{
    TrainingDocument doc;
    doc.onNewDocument();
    const TrainingType* current = doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[1]);
    ASSERT_TRUE(current);
    for (int measurement = 1; measurement <= 11; ++measurement)
        doc.appendInterval(*current, record().measurement(measurement).run(1).from(measurement * 1000).lasting(10));
    std::vector<std::string> calls;
    EntryViewHooks hooks;
    hooks.addIntervalRow = [&](const IntervalRecord&) { calls.push_back("row"); };
    hooks.fillIntervalList = [&] { calls.push_back("fill"); };
    hooks.refreshDiagrams = [&] { calls.push_back("diagrams"); };
    hooks.showOnlyLastMeasurement = [&] { calls.push_back("tick"); };

    QString shownCaption;
    onNextModal([&](QWidget* modal) {
        shownCaption = caption(modal);
        calls.push_back("dialog");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    openPhoneRecordEntry(nullptr, doc, current, hooks);
    EXPECT_EQ(shownCaption, "Mess-Nr. 12, Lauf-Nr. 1:");
    EXPECT_EQ(calls, (std::vector<std::string>{"tick", "fill", "dialog", "fill"}));
    EXPECT_TRUE(doc.isModified());

    // A stored record reaches the list through the view's row hook.
    calls.clear();
    onNextModal([&](QWidget* modal) {
        enter(modal, "50000-50100");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    openPhoneRecordEntry(nullptr, doc, current, hooks);
    EXPECT_EQ(calls, (std::vector<std::string>{"tick", "fill", "row", "fill"}));
    EXPECT_EQ(current->m_records.size(), 12);
    EXPECT_EQ(current->m_records[11].m_measurement, 12);
}
