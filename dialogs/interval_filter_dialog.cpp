#include "interval_filter_dialog.h"

#include "dialog_frame.h"
#include "dialog_layout.h"
#include "time_picker.h"

#include <QPushButton>

namespace {

using K = DialogControlKind;

constexpr DialogControl kTemplate[] = {
    {-1, K::Label, 7, 7, 116, 27, "Filter out all meditation intervals during the evaluation below this time."},
    {CIntervallDlg::IDC_FILTER_TIME, K::TimePicker, 7, 38, 60, 15, nullptr},
    {-1, K::Label, 71, 41, 52, 8, "Filter time"},
    {CIntervallDlg::IDOK, K::PushButton, 129, 7, 50, 14, "OK"},
    {CIntervallDlg::IDCANCEL, K::PushButton, 129, 24, 50, 14, "Cancel"},
};

} // namespace

CIntervallDlg::CIntervallDlg(QWidget* parent) : QDialog(parent)
{
    SetUpDialogFrame(*this, "Interval filter", 186, 60);
    const auto controls = BuildDialogControls(this, DialogFont(), kTemplate);
    m_pPicker = static_cast<CTimePicker*>(controls[IDC_FILTER_TIME]);
    auto* ok = static_cast<QPushButton*>(controls[IDOK]);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CIntervallDlg::accept);
    connect(static_cast<QPushButton*>(controls[IDCANCEL]), &QPushButton::clicked, this, &CIntervallDlg::reject);
}

void CIntervallDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        m_pPicker->SetTime(m_timeFilter);
        m_pPicker->setFocus();
    }
    QDialog::showEvent(event);
}

void CIntervallDlg::accept()
{
    m_timeFilter = m_pPicker->GetTime();
    QDialog::accept();
}
