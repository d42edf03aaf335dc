#include "manual_entry_dialog.h"

#include "dialog_frame.h"
#include "dialog_layout.h"
#include "manual_entry.h"
#include "message_box.h"
#include "time_picker.h"
#include "up_down_buttons.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

using K = DialogControlKind;

constexpr DialogControl kTemplate[] = {
    {-1, K::Label, 7, 9, 50, 8, "Number"},
    {CTestDlg::IDC_NUMBER, K::Custom, 60, 7, 50, 14, nullptr},
    {CTestDlg::IDC_NUMBER_SPIN, K::Custom, 110, 7, 10, 14, nullptr},
    {-1, K::Label, 7, 28, 50, 8, "Start time"},
    {CTestDlg::IDC_START_TIME, K::TimePicker, 60, 25, 60, 15, nullptr},
    {-1, K::Label, 7, 47, 50, 8, "End time"},
    {CTestDlg::IDC_END_TIME, K::TimePicker, 60, 44, 60, 15, nullptr},
    {CTestDlg::IDC_UDDHACCA, K::CheckBox, 7, 65, 80, 10, "Uddhacca"},
    {CTestDlg::IDC_INSERT_INTERVAL, K::PushButton, 7, 82, 113, 14, "Insert interval"},
};

QWidget* MakeNumberControl(const DialogControl& control, QWidget* parent)
{
    if (control.id == CTestDlg::IDC_NUMBER_SPIN)
        return new CUpDownButtons(parent);
    return MakeEdit(control, parent);
}

} // namespace

CTestDlg::CTestDlg(TrainingType& trainingType, AddIntervalRowFn addIntervalRow, QWidget* parent)
    : QDialog(parent), m_trainingType(trainingType), m_addIntervalRow(std::move(addIntervalRow))
{
    SetUpDialogFrame(*this, "Manual entry of intervals", 127, 103);
    const auto controls = BuildDialogControls(this, DialogFont(), kTemplate, MakeNumberControl);
    m_pNumber = static_cast<QLineEdit*>(controls[IDC_NUMBER]);
    static_cast<CUpDownButtons*>(controls[IDC_NUMBER_SPIN])->SetBuddy(m_pNumber);
    m_pStart = static_cast<CTimePicker*>(controls[IDC_START_TIME]);
    m_pEnd = static_cast<CTimePicker*>(controls[IDC_END_TIME]);
    m_pUddhacca = static_cast<QCheckBox*>(controls[IDC_UDDHACCA]);
    connect(static_cast<QPushButton*>(controls[IDC_INSERT_INTERVAL]), &QPushButton::clicked, this,
            &CTestDlg::OnInsertInterval);
}

void CTestDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        UpdateData(false);
    }
    QDialog::showEvent(event);
}

void CTestDlg::keyPressEvent(QKeyEvent* event)
{
    // The template has no OK button: Enter closes the dialog, unless it is
    // pressed on a push button, which it then presses.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (enter && plain) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        else
            accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTestDlg::UpdateData(bool fromControls)
{
    if (fromControls) {
        m_strNumber = m_pNumber->text().toStdString();
        m_timeStart = m_pStart->GetTime();
        m_timeEnd = m_pEnd->GetTime();
        m_bUddhacca = m_pUddhacca->isChecked() ? 1 : 0;
    } else {
        m_pNumber->setText(QString::fromStdString(m_strNumber));
        m_pStart->SetTime(m_timeStart);
        m_pEnd->SetTime(m_timeEnd);
        m_pUddhacca->setChecked(m_bUddhacca != 0);
    }
}

void CTestDlg::OnInsertInterval()
{
    UpdateData(true);
    const ManualEntryOutcome outcome =
        CheckManualInterval(m_trainingType, m_strNumber, m_timeStart, m_timeEnd, m_bUddhacca != 0);
    if (outcome.refusal != ManualEntryRefusal::None) {
        MessageBoxes().ShowMessage(this, QString::fromUtf8(RefusalMessage(outcome.refusal)));
        return;
    }
    m_trainingType.m_aEntries.Add(outcome.entry);
    if (m_addIntervalRow)
        m_addIntervalRow(outcome.entry);

    const IntervalProposal next = ProposeNextInterval(m_timeStart, m_timeEnd);
    m_timeStart = next.timeStart;
    m_timeEnd = next.timeEnd;
    UpdateData(false);
}
