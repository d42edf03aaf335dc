#include "dialog_commands.h"
#include "dialog_test_support.h"
#include "interval_filter_dialog.h"
#include "time_picker.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Opens the document's filter dialog and lets `edit` work on it.
void RunFilterDialog(CVersenkwerkDoc& doc, const std::function<void(QWidget*)>& edit)
{
    OnNextModal(edit);
    OpenIntervalFilter(nullptr, doc);
}

CTimePicker* Picker(QWidget* dialog)
{
    return Control<CTimePicker>(dialog, CIntervallDlg::IDC_FILTER_TIME);
}

void Press(QWidget* dialog, int id)
{
    QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton);
}

} // namespace

TEST(IntervalFilterDialog, OkStoresTheTimeAndMarksModifiedCancelChangesNothing)
{
    CVersenkwerkDoc doc;
    ASSERT_EQ(DurationSeconds(doc.m_settings.m_timeFilter), 10);

    QTime shown;
    RunFilterDialog(doc, [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Interval filter");
        shown = Picker(dialog)->time();
        Picker(dialog)->setTime(QTime(0, 2, 30));
        Press(dialog, CIntervallDlg::IDCANCEL);
    });
    EXPECT_EQ(shown, QTime(0, 0, 10));
    EXPECT_EQ(DurationSeconds(doc.m_settings.m_timeFilter), 10);
    EXPECT_FALSE(doc.IsModified());

    // OK without a change still counts as a change.
    RunFilterDialog(doc, [](QWidget* dialog) { Press(dialog, CIntervallDlg::IDOK); });
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.m_settings.m_timeFilter, MakeDuration(0, 0, 10));

    // 00:00:00 switches the filter off; the stored value keeps its date.
    RunFilterDialog(doc, [](QWidget* dialog) {
        Picker(dialog)->setTime(QTime(0, 0, 0));
        QTest::keyClick(Picker(dialog), Qt::Key_Return);
    });
    EXPECT_EQ(doc.m_settings.m_timeFilter, MakeDuration(0, 0, 0));

    // The largest time that can be entered.
    RunFilterDialog(doc, [](QWidget* dialog) {
        Picker(dialog)->setTime(QTime(23, 59, 59));
        QTest::keyClick(Picker(dialog), Qt::Key_Up); // the hours stop at 23
        Press(dialog, CIntervallDlg::IDOK);
    });
    EXPECT_EQ(DurationSeconds(doc.m_settings.m_timeFilter), 23 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(doc.m_settings.m_timeFilter, MakeDuration(23, 59, 59));

    // Esc is Cancel.
    doc.SetModifiedFlag(false);
    RunFilterDialog(doc, [](QWidget* dialog) {
        Picker(dialog)->setTime(QTime(1, 0, 0));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(DurationSeconds(doc.m_settings.m_timeFilter), 23 * 3600 + 59 * 60 + 59);
}
