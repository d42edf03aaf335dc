#include "phone_record_dialog.h"

#include "dialog_frame.h"
#include "dialog_layout.h"
#include "message_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <ctime>

namespace {

using K = DialogControlKind;

constexpr DialogControl kTemplate[] = {
    {CManualDataDlg::IDC_RECORD_CAPTION, K::Label, 7, 7, 172, 8, "Record 1:"},
    {CManualDataDlg::IDC_RECORD, K::Custom, 7, 18, 172, 14, nullptr},
    {CManualDataDlg::IDC_SAVE_RECORD, K::PushButton, 7, 40, 172, 14, "Save and next record"},
};

} // namespace

CManualDataDlg::CManualDataDlg(TrainingType* trainingType, AddIntervalRowFn addIntervalRow,
                               std::int32_t measurementNo, QWidget* parent)
    : QDialog(parent), m_run(measurementNo, 0), m_pTrainingType(trainingType),
      m_addIntervalRow(std::move(addIntervalRow))
{
    SetUpDialogFrame(*this, "Manual data entry from mobile phone", 186, 62);
    const auto controls = BuildDialogControls(this, DialogFont(), kTemplate, MakeEdit);
    m_pCaption = static_cast<QLabel*>(controls[IDC_RECORD_CAPTION]);
    m_pEdit = static_cast<QLineEdit*>(controls[IDC_RECORD]);
    auto* save = static_cast<QPushButton*>(controls[IDC_SAVE_RECORD]);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &CManualDataDlg::OnSaveRecord);
}

void CManualDataDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        UpdateCaption();
        UpdateData(false);
        m_run.m_nDstOffset = DstOffsetAt(std::time(nullptr));
    }
    QDialog::showEvent(event);
}

void CManualDataDlg::accept()
{
    OnSaveRecord();
}

void CManualDataDlg::UpdateCaption()
{
    m_strCaption = m_run.Caption();
}

void CManualDataDlg::UpdateData(bool fromControls)
{
    if (fromControls) {
        m_strRecord = m_pEdit->text().toStdString();
    } else {
        m_pCaption->setText(QString::fromStdString(m_strCaption));
        m_pEdit->setText(QString::fromStdString(m_strRecord));
    }
}

void CManualDataDlg::OnSaveRecord()
{
    UpdateData(true);
    const CPhoneRecordRun::Outcome outcome = m_run.SaveRecord(m_strRecord, m_pTrainingType);
    switch (outcome.result) {
    case CPhoneRecordRun::Result::Stored:
        if (outcome.appended && m_addIntervalRow)
            m_addIntervalRow(*outcome.appended);
        UpdateCaption();
        UpdateData(false);
        m_pEdit->setFocus();
        return;
    case CPhoneRecordRun::Result::Invalid: RefuseRecord(QStringLiteral("Invalid Input")); return;
    case CPhoneRecordRun::Result::MeasurementTooLarge:
        RefuseRecord(QString::fromStdString(m_run.TooLargeMessage()));
        return;
    }
}

void CManualDataDlg::RefuseRecord(const QString& message)
{
    MessageBoxes().ShowMessage(this, message);
    m_pEdit->setFocus();
    m_pEdit->selectAll(); // also scrolls the caret into view
}
