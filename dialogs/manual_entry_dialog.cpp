#include "dialogs/manual_entry_dialog.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/entry_logic/manual_entry.h"
#include "dialogs/up_down_buttons.h"
#include "editing/document_editor.h"
#include "platform/dialog_layout.h"
#include "platform/message_box.h"
#include "platform/time_picker.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

using K = DialogControlKind;

constexpr DialogControl kTemplate[] = {
    {-1, K::Label, 7, 9, 50, 8, "Number"},
    {ManualEntryDialog::IDC_NUMBER, K::Custom, 60, 7, 50, 14, nullptr},
    {ManualEntryDialog::IDC_NUMBER_SPIN, K::Custom, 110, 7, 10, 14, nullptr},
    {-1, K::Label, 7, 28, 50, 8, "Start time"},
    {ManualEntryDialog::IDC_START_TIME, K::TimePicker, 60, 25, 60, 15, nullptr},
    {-1, K::Label, 7, 47, 50, 8, "End time"},
    {ManualEntryDialog::IDC_END_TIME, K::TimePicker, 60, 44, 60, 15, nullptr},
    {ManualEntryDialog::IDC_UDDHACCA, K::CheckBox, 7, 65, 80, 10, "Uddhacca"},
    {ManualEntryDialog::IDC_INSERT_INTERVAL, K::PushButton, 7, 82, 113, 14, "Insert interval"},
};

QWidget* makeNumberControl(const DialogControl& control, QWidget* parent)
{
    if (control.id == ManualEntryDialog::IDC_NUMBER_SPIN)
        return new UpDownButtons(parent);
    return makeEdit(control, parent);
}

} // namespace

ManualEntryDialog::ManualEntryDialog(DocumentEditor& editor, int type, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_type(type)
{
    setUpDialogFrame(*this, "Manual entry of intervals", 127, 103);
    const auto controls = buildDialogControls(this, templateFont(), kTemplate, makeNumberControl);
    m_numberEdit = static_cast<QLineEdit*>(controls[IDC_NUMBER]);
    static_cast<UpDownButtons*>(controls[IDC_NUMBER_SPIN])->setBuddy(m_numberEdit);
    m_start = static_cast<TimePicker*>(controls[IDC_START_TIME]);
    m_end = static_cast<TimePicker*>(controls[IDC_END_TIME]);
    m_uddhaccaBox = static_cast<QCheckBox*>(controls[IDC_UDDHACCA]);
    m_insertButton = static_cast<QPushButton*>(controls[IDC_INSERT_INTERVAL]);
    m_insertButton->setDefault(true);
    connect(m_insertButton, &QPushButton::clicked, this, &ManualEntryDialog::insertInterval);
}

void ManualEntryDialog::propose(const std::string& number, CalendarTime start, CalendarTime end)
{
    m_numberEdit->setText(QString::fromStdString(number));
    m_start->setCalendarTime(start);
    m_end->setCalendarTime(end);
}

void ManualEntryDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter inserts the typed interval, so that it is never thrown away; Esc closes.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (enter && plain) {
        m_insertButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ManualEntryDialog::insertInterval()
{
    const CalendarTime start = m_start->calendarTime();
    const CalendarTime end = m_end->calendarTime();
    const ManualEntryOutcome outcome =
        checkManualInterval(m_editor.document().trainingType(m_type), m_numberEdit->text().toStdString(), start, end,
                            m_uddhaccaBox->isChecked());
    if (outcome.refusal != ManualEntryRefusal::None) {
        messageBoxes().showMessage(this, QString::fromUtf8(refusalMessage(outcome.refusal)));
        return;
    }
    m_editor.applyStep(AppendInterval{m_type, outcome.entry}, QStringLiteral("add interval"));
    // Number and check box stay for the next interval of the same run.
    const IntervalProposal next = proposeNextInterval(start, end);
    m_start->setCalendarTime(next.timeStart);
    m_end->setCalendarTime(next.timeEnd);
}
