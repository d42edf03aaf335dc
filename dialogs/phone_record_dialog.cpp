#include "dialogs/phone_record_dialog.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/entry_logic/manual_entry.h"
#include "editing/document_editor.h"
#include "platform/dialog_layout.h"
#include "platform/message_box.h"

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

PhoneRecordDialog::PhoneRecordDialog(DocumentEditor& editor, int type, std::int32_t measurementNo, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_type(type), m_run(measurementNo, 0)
{
    setUpDialogFrame(*this, "Manual data entry from mobile phone", 186, 62);
    const auto controls = buildDialogControls(this, templateFont(), kTemplate, makeEdit);
    m_captionLabel = static_cast<QLabel*>(controls[IDC_RECORD_CAPTION]);
    m_edit = static_cast<QLineEdit*>(controls[IDC_RECORD]);
    m_edit->setPlaceholderText(QStringLiteral("start-end, e.g. 1767250800-1767251700"));
    m_edit->setToolTip(
        QStringLiteral("One interval as the phone noted it: the start and the end in seconds since 1.1.1970,\n"
                       "joined by \"-\", for example 1767250800-1767251700 (15 minutes).\n"
                       "Join them by \"x\" for an interval ended by uddhacca: 1767250800x1767251700."));
    auto* save = static_cast<QPushButton*>(controls[IDC_SAVE_RECORD]);
    save->setDefault(true);
    connect(save, &QPushButton::clicked, this, &PhoneRecordDialog::saveRecord);
    m_captionLabel->setText(QString::fromStdString(m_run.caption()));
    m_editor.beginStep();
}

PhoneRecordDialog::~PhoneRecordDialog()
{
    const int stored = m_run.m_stored;
    m_editor.endStep(stored == 1 ? QStringLiteral("add phone record")
                                 : QStringLiteral("add %1 phone records").arg(stored));
}

void PhoneRecordDialog::showEvent(QShowEvent* event)
{
    // The records are read as the clock stood when the dialog opened.
    if (!m_initialised) {
        m_initialised = true;
        m_run.m_dstOffset = dstOffsetAt(std::time(nullptr));
    }
    QDialog::showEvent(event);
}

void PhoneRecordDialog::accept()
{
    saveRecord();
}

void PhoneRecordDialog::saveRecord()
{
    const TrainingType* recorded = m_type >= 0 ? &m_editor.document().trainingType(m_type) : nullptr;
    PhoneRecordRun::StoreFn store;
    if (recorded)
        store = [this](const IntervalRecord& record) {
            m_editor.applyStep(AppendInterval{m_type, record}, QStringLiteral("add phone record"));
        };
    const PhoneRecordRun::Outcome outcome = m_run.saveRecord(m_edit->text().toStdString(), store, recorded);
    switch (outcome.result) {
    case PhoneRecordRun::Result::Stored:
        // The edit keeps the text of the record just stored.
        m_captionLabel->setText(QString::fromStdString(m_run.caption()));
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
