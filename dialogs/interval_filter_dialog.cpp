#include "dialogs/interval_filter_dialog.h"

#include "dialogs/dialog_frame.h"
#include "editing/document_editor.h"
#include "platform/dialog_layout.h"
#include "platform/time_picker.h"

#include <QPushButton>

namespace {

using K = DialogControlKind;
using S = DialogControlStyle;

constexpr DialogControl kTemplate[] = {
    {-1, K::Label, 7, 7, 116, 27, "Filter out all meditation intervals during the evaluation below this time."},
    {IntervalFilterDialog::IDC_FILTER_TIME, K::TimePicker, 7, 38, 60, 15, nullptr},
    {-1, K::Label, 71, 41, 52, 8, "Filter time"},
    {IntervalFilterDialog::IDOK, K::PushButton, 129, 7, 50, 14, "OK", S::Shaded | S::DefaultButton},
    {IntervalFilterDialog::IDCANCEL, K::PushButton, 129, 24, 50, 14, "Cancel", S::Shaded},
};

} // namespace

IntervalFilterDialog::IntervalFilterDialog(DocumentEditor& editor, QWidget* parent) : QDialog(parent), m_editor(editor)
{
    setUpDialogFrame(*this, "Interval filter", 186, 60);
    const auto controls = buildDialogControls(this, templateFont(), kTemplate);
    m_picker = static_cast<TimePicker*>(controls[IDC_FILTER_TIME]);
    connect(static_cast<QPushButton*>(controls[IDOK]), &QPushButton::clicked, this, &IntervalFilterDialog::accept);
    connect(static_cast<QPushButton*>(controls[IDCANCEL]), &QPushButton::clicked, this, &IntervalFilterDialog::reject);
    // The picker keeps the stored value's date and edits only the time of day.
    m_picker->setCalendarTime(m_editor.document().settings().m_timeFilter);
    m_picker->setFocus();
}

void IntervalFilterDialog::accept()
{
    DocumentSettings chosen = m_editor.document().settings();
    chosen.m_timeFilter = m_picker->calendarTime();
    m_editor.confirmSettings(chosen, QStringLiteral("change interval filter"));
    QDialog::accept();
}
