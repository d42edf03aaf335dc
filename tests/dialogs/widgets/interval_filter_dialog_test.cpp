#include "controls/shade_button.h"
#include "dialogs/interval_filter_dialog.h"
#include "editing/document_editor.h"
#include "platform/time_picker.h"
#include "tests/dialogs/widgets/dialog_test_support.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Opens the document's filter dialog and lets `edit` work on it.
void runFilterDialog(TrainingDocument& doc, const std::function<void(QWidget*)>& edit)
{
    onNextModal(edit);
    DocumentEditor editor(doc);
    IntervalFilterDialog dialog(editor);
    dialog.exec();
}

TimePicker* picker(QWidget* dialog)
{
    return control<TimePicker>(dialog, IntervalFilterDialog::IDC_FILTER_TIME);
}

void press(QWidget* dialog, int id)
{
    QTest::mouseClick(control<QPushButton>(dialog, id), Qt::LeftButton);
}

} // namespace

TEST(IntervalFilterDialog, OkStoresTheTimeAndMarksModifiedCancelChangesNothing)
{
    TrainingDocument doc;
    ASSERT_EQ(durationSeconds(doc.settings().m_timeFilter), 10);

    QTime shown;
    runFilterDialog(doc, [&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Interval filter");
        EXPECT_NE(control<ShadeButton>(dialog, IntervalFilterDialog::IDOK), nullptr);
        EXPECT_NE(control<ShadeButton>(dialog, IntervalFilterDialog::IDCANCEL), nullptr);
        shown = picker(dialog)->time();
        picker(dialog)->setTime(QTime(0, 2, 30));
        press(dialog, IntervalFilterDialog::IDCANCEL);
    });
    EXPECT_EQ(shown, QTime(0, 0, 10));
    EXPECT_EQ(durationSeconds(doc.settings().m_timeFilter), 10);
    EXPECT_FALSE(doc.isModified());

    // OK without a change still counts as a change.
    runFilterDialog(doc, [](QWidget* dialog) { press(dialog, IntervalFilterDialog::IDOK); });
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.settings().m_timeFilter, makeDuration(0, 0, 10));

    // 00:00:00 switches the filter off; the stored value keeps its date.
    runFilterDialog(doc, [](QWidget* dialog) {
        picker(dialog)->setTime(QTime(0, 0, 0));
        QTest::keyClick(picker(dialog), Qt::Key_Return);
    });
    EXPECT_EQ(doc.settings().m_timeFilter, makeDuration(0, 0, 0));

    // The largest time that can be entered.
    runFilterDialog(doc, [](QWidget* dialog) {
        picker(dialog)->setTime(QTime(23, 59, 59));
        QTest::keyClick(picker(dialog), Qt::Key_Up); // the hours stop at 23
        press(dialog, IntervalFilterDialog::IDOK);
    });
    EXPECT_EQ(durationSeconds(doc.settings().m_timeFilter), 23 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(doc.settings().m_timeFilter, makeDuration(23, 59, 59));

    // Esc is Cancel.
    doc.setModified(false);
    runFilterDialog(doc, [](QWidget* dialog) {
        picker(dialog)->setTime(QTime(1, 0, 0));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(durationSeconds(doc.settings().m_timeFilter), 23 * 3600 + 59 * 60 + 59);
}
