#include "dialogs/phone_record_dialog.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/entry_logic/manual_entry.h"
#include "platform/dialog_layout.h"
#include "platform/message_box.h"
#include "records/training_document.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <ctime>

namespace {

using K = DialogControlKind;

constexpr DialogControl kTemplate[] = {
    {PhoneRecordDialog::IDC_RECORD_CAPTION, K::Label, 7, 7, 172, 8, "Record 1:"},
    {PhoneRecordDialog::IDC_RECORD, K::Custom, 7, 18, 172, 14, nullptr},
    {PhoneRecordDialog::IDC_SAVE_RECORD, K::PushButton, 7, 40, 172, 14, "Save and next record"},
};

} // namespace

PhoneRecordDialog::PhoneRecordDialog(TrainingDocument& document, const TrainingType* trainingType,
                                     AddIntervalRowFn addIntervalRow, std::int32_t measurementNo, QWidget* parent)
    : QDialog(parent), m_run(measurementNo, 0), m_document(document), m_trainingType(trainingType),
      m_addIntervalRow(std::move(addIntervalRow))
{
    setUpDialogFrame(*this, "Manual data entry from mobile phone", 186, 62);
    const auto controls = buildDialogControls(this, templateFont(), kTemplate, makeEdit);
    m_captionLabel = static_cast<QLabel*>(controls[IDC_RECORD_CAPTION]);
    m_edit = static_cast<QLineEdit*>(controls[IDC_RECORD]);
    auto* save = static_cast<QPushButton*>(controls[IDC_SAVE_RECORD]);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &PhoneRecordDialog::onSaveRecord);
}

void PhoneRecordDialog::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        updateCaption();
        updateData(false);
        m_run.m_dstOffset = dstOffsetAt(std::time(nullptr));
    }
    QDialog::showEvent(event);
}

void PhoneRecordDialog::accept()
{
    onSaveRecord();
}

void PhoneRecordDialog::updateCaption()
{
    m_caption = m_run.caption();
}

void PhoneRecordDialog::updateData(bool fromControls)
{
    if (fromControls) {
        m_record = m_edit->text().toStdString();
    } else {
        m_captionLabel->setText(QString::fromStdString(m_caption));
        m_edit->setText(QString::fromStdString(m_record));
    }
}

void PhoneRecordDialog::onSaveRecord()
{
    updateData(true);
    PhoneRecordRun::StoreFn store;
    if (m_trainingType)
        store = [this](const IntervalRecord& record) { m_document.appendInterval(*m_trainingType, record); };
    const PhoneRecordRun::Outcome outcome = m_run.saveRecord(m_record, store, m_trainingType);
    switch (outcome.result) {
    case PhoneRecordRun::Result::Stored:
        if (outcome.appended && m_addIntervalRow)
            m_addIntervalRow(*outcome.appended);
        updateCaption();
        updateData(false);
        m_edit->setFocus();
        return;
    case PhoneRecordRun::Result::Invalid: refuseRecord(QStringLiteral("Invalid Input")); return;
    case PhoneRecordRun::Result::MeasurementTooLarge:
        refuseRecord(QString::fromStdString(m_run.tooLargeMessage()));
        return;
    case PhoneRecordRun::Result::RunTooLarge: refuseRecord(QString::fromStdString(m_run.runTooLargeMessage())); return;
    case PhoneRecordRun::Result::Overlap:
        refuseRecord(QString::fromUtf8(refusalMessage(ManualEntryRefusal::Overlap)));
        return;
    }
}

void PhoneRecordDialog::refuseRecord(const QString& message)
{
    messageBoxes().showMessage(this, message);
    m_edit->setFocus();
    m_edit->selectAll(); // also scrolls the caret into view
}
