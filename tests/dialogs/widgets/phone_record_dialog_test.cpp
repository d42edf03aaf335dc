#include "dialog_commands.h"
#include "dialog_test_support.h"
#include "entry_test_support.h"
#include "phone_record_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <ctime>

namespace {

// Of two zones with opposite seasons, the one in daylight saving time now.
const char* ZoneInDaylightSavingNow()
{
    static const char* const zones[] = {"CET-1CEST,M3.5.0,M10.5.0/3", "AEST-10AEDT,M10.1.0,M4.1.0/3"};
    for (const char* zone : zones) {
        const ScopedTimeZone probe(zone);
        if (BreakLocalTime(std::time(nullptr)).tm_isdst > 0)
            return zone;
    }
    return zones[0];
}

class PhoneRecordDialog : public ::testing::Test {
protected:
    QLineEdit* Edit(QWidget* dialog) { return Control<QLineEdit>(dialog, CManualDataDlg::IDC_RECORD); }
    QString Caption(QWidget* dialog) { return Control<QLabel>(dialog, CManualDataDlg::IDC_RECORD_CAPTION)->text(); }
    void Enter(QWidget* dialog, const char* record)
    {
        QLineEdit* edit = Edit(dialog);
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(record));
        QTest::keyClick(edit, Qt::Key_Return);
    }

    RecordingMessageBoxes boxes;
    TrainingType type;
    std::vector<CDataEntry> shownRows;
    AddIntervalRowFn showRow = [this](const CDataEntry& entry) { shownRows.push_back(entry); };
};

} // namespace

TEST_F(PhoneRecordDialog, EnterSavesEachRecordAndTheCaptionCountsRuns)
{
    const ScopedTimeZone utc("UTC0");
    CManualDataDlg dialog(&type, showRow, 12);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Manual data entry from mobile phone");
    EXPECT_EQ(Caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 1:");

    Enter(&dialog, "100-200");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(boxes.messages.isEmpty());
    EXPECT_EQ(Caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 2:");
    EXPECT_EQ(Edit(&dialog)->text(), "100-200");
    ASSERT_EQ(type.m_aEntries.GetSize(), 1);
    EXPECT_EQ(type.m_aEntries[0], Entry(100, 200, 12, 1));
    ASSERT_EQ(shownRows.size(), 1u);
    EXPECT_EQ(shownRows[0], type.m_aEntries[0]);

    Enter(&dialog, "150-300");
    Enter(&dialog, "200-300");
    EXPECT_EQ(boxes.messages, (QStringList{"Invalid Input", "Invalid Input"}));
    EXPECT_EQ(Caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 2:");
    // The refused text stays, wholly selected for retyping.
    EXPECT_EQ(Edit(&dialog)->text(), "200-300");
    EXPECT_EQ(Edit(&dialog)->selectedText(), "200-300");

    Enter(&dialog, "201 x 300");
    ASSERT_EQ(type.m_aEntries.GetSize(), 2);
    CDataEntry uddhacca = Entry(201, 300, 12, 2);
    uddhacca.m_bUddhacca = 1;
    EXPECT_EQ(type.m_aEntries[1], uddhacca);
    EXPECT_EQ(Caption(&dialog), "Mess-Nr. 12, Lauf-Nr. 3:");

    // The button saves as Enter does; Esc closes without storing.
    Edit(&dialog)->setText("400-500");
    QTest::mouseClick(Control<QPushButton>(&dialog, CManualDataDlg::IDC_SAVE_RECORD), Qt::LeftButton);
    EXPECT_EQ(type.m_aEntries.GetSize(), 3);
    Edit(&dialog)->setText("600-700");
    QTest::keyClick(Edit(&dialog), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(type.m_aEntries.GetSize(), 3);
}

TEST_F(PhoneRecordDialog, DaylightSavingAtOpeningShiftsTheRecords)
{
    {
        const ScopedTimeZone summer(ZoneInDaylightSavingNow());
        CManualDataDlg dialog(&type, showRow, 1);
        dialog.show();
        Enter(&dialog, "1000-2000");
    }
    {
        const ScopedTimeZone utc("UTC0");
        CManualDataDlg dialog(&type, showRow, 2);
        dialog.show();
        Enter(&dialog, "1000-2000");
    }
    ASSERT_EQ(type.m_aEntries.GetSize(), 2);
    EXPECT_EQ(type.m_aEntries[0].m_timeStart, 4600);
    EXPECT_EQ(type.m_aEntries[0].m_timeEnd, 5600);
    EXPECT_EQ(type.m_aEntries[1].m_timeStart, 1000);
    EXPECT_EQ(type.m_aEntries[1].m_timeEnd, 2000);
}

TEST_F(PhoneRecordDialog, MeasurementBeyond65535IsRefusedWithAMessage)
{
    CManualDataDlg dialog(&type, showRow, 65536);
    dialog.show();
    EXPECT_EQ(Caption(&dialog), "Mess-Nr. 65536, Lauf-Nr. 1:");
    Enter(&dialog, "100-200");
    ASSERT_EQ(boxes.messages.size(), 1);
    EXPECT_TRUE(boxes.messages[0].contains("65536"));
    EXPECT_EQ(type.m_aEntries.GetSize(), 0);
    EXPECT_EQ(Caption(&dialog), "Mess-Nr. 65536, Lauf-Nr. 1:");
    EXPECT_EQ(Edit(&dialog)->selectedText(), "100-200");
}

TEST_F(PhoneRecordDialog, OpeningFromTheListTicksFillsAndAlwaysMarksModified)
{
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    TrainingType* current = doc.FindTrainingType(CVersenkwerkDoc::kDefaultTrainingTypeNames[1]);
    ASSERT_TRUE(current);
    for (int measurement = 1; measurement <= 11; ++measurement)
        current->m_aEntries.Add(Entry(measurement * 1000, measurement * 1000 + 10, measurement, 1));
    std::vector<std::string> calls;
    EntryViewHooks hooks;
    hooks.addIntervalRow = [&](const CDataEntry&) { calls.push_back("row"); };
    hooks.fillIntervalList = [&] { calls.push_back("fill"); };
    hooks.refreshDiagrams = [&] { calls.push_back("diagrams"); };
    hooks.showOnlyLastMeasurement = [&] { calls.push_back("tick"); };

    QString caption;
    OnNextModal([&](QWidget* modal) {
        caption = Caption(modal);
        calls.push_back("dialog");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    OpenPhoneRecordEntry(nullptr, doc, current, hooks);
    EXPECT_EQ(caption, "Mess-Nr. 12, Lauf-Nr. 1:");
    EXPECT_EQ(calls, (std::vector<std::string>{"tick", "fill", "dialog", "fill"}));
    EXPECT_TRUE(doc.IsModified());

    // A stored record reaches the list through the view's row hook.
    calls.clear();
    OnNextModal([&](QWidget* modal) {
        Enter(modal, "50000-50100");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    OpenPhoneRecordEntry(nullptr, doc, current, hooks);
    EXPECT_EQ(calls, (std::vector<std::string>{"tick", "fill", "row", "fill"}));
    EXPECT_EQ(current->m_aEntries.GetSize(), 12);
    EXPECT_EQ(current->m_aEntries[11].m_nMeasurement, 12);
}
