#include "dialogs/manual_entry_dialog.h"

#include "dialogs/dialog_frame.h"
#include "dialogs/entry_logic/dated_interval.h"
#include "dialogs/entry_logic/manual_entry.h"
#include "dialogs/up_down_buttons.h"
#include "editing/document_editor.h"
#include "platform/dialog_layout.h"
#include "platform/message_box.h"
#include "platform/time_picker.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

using K = DialogControlKind;

constexpr DialogControl kTemplate[] = {
    {-1, K::Label, 7, 9, 50, 8, "Number"},
    {ManualEntryDialog::IDC_NUMBER, K::Custom, 60, 7, 50, 14, nullptr},
    {ManualEntryDialog::IDC_NUMBER_SPIN, K::Custom, 110, 7, 10, 14, nullptr},
    {-1, K::Label, 7, 28, 50, 8, "Date"},
    {ManualEntryDialog::IDC_DATE, K::Custom, 60, 25, 60, 15, nullptr},
    {-1, K::Label, 7, 47, 50, 8, "Start time"},
    {ManualEntryDialog::IDC_START_TIME, K::TimePicker, 60, 44, 60, 15, nullptr},
    {-1, K::Label, 7, 66, 50, 8, "End time"},
    {ManualEntryDialog::IDC_END_TIME, K::TimePicker, 60, 63, 60, 15, nullptr},
    {ManualEntryDialog::IDC_END_NEXT_DAY, K::CheckBox, 126, 65, 50, 10, "next day"},
    {ManualEntryDialog::IDC_UDDHACCA, K::CheckBox, 7, 84, 80, 10, "Uddhacca"},
    {ManualEntryDialog::IDC_INSERT_INTERVAL, K::PushButton, 7, 101, 113, 14, "Insert interval"},
};

QWidget* makeCustomControl(const DialogControl& control, QWidget* parent)
{
    if (control.id == ManualEntryDialog::IDC_NUMBER_SPIN)
        return new UpDownButtons(parent);
    if (control.id == ManualEntryDialog::IDC_DATE) {
        auto* date = new QDateEdit(parent);
        date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        date->setCalendarPopup(true);
        date->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return date;
    }
    return makeEdit(control, parent);
}

int clockOf(const QTime& time)
{
    return time.msecsSinceStartOfDay() / 1000;
}

} // namespace

ManualEntryDialog::ManualEntryDialog(DocumentEditor& editor, int type, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_type(type)
{
    setUpDialogFrame(*this, "Manual entry of intervals", 180, 122);
    const auto controls = buildDialogControls(this, templateFont(), kTemplate, makeCustomControl);
    m_numberEdit = static_cast<QLineEdit*>(controls[IDC_NUMBER]);
    static_cast<UpDownButtons*>(controls[IDC_NUMBER_SPIN])->setBuddy(m_numberEdit);
    m_date = static_cast<QDateEdit*>(controls[IDC_DATE]);
    m_start = static_cast<TimePicker*>(controls[IDC_START_TIME]);
    m_end = static_cast<TimePicker*>(controls[IDC_END_TIME]);
    m_endsNextDay = static_cast<QCheckBox*>(controls[IDC_END_NEXT_DAY]);
    m_endsNextDay->setToolTip(QStringLiteral("The interval ends after midnight, on the day after the date."));
    m_uddhaccaBox = static_cast<QCheckBox*>(controls[IDC_UDDHACCA]);
    m_insertButton = static_cast<QPushButton*>(controls[IDC_INSERT_INTERVAL]);
    m_insertButton->setDefault(true);
    connect(m_insertButton, &QPushButton::clicked, this, &ManualEntryDialog::insertInterval);
}

void ManualEntryDialog::propose(const std::string& number, CalendarTime start, CalendarTime end)
{
    m_numberEdit->setText(QString::fromStdString(number));
    showInterval(start, end);
}

void ManualEntryDialog::showInterval(CalendarTime start, CalendarTime end)
{
    const DatedInterval shown = DatedInterval::of(start, end);
    m_date->setDate(QDate(shown.year, shown.month, shown.day));
    m_start->setCalendarTime(start);
    m_end->setCalendarTime(end);
    m_endsNextDay->setChecked(shown.endsNextDay);
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
    const QDate date = m_date->date();
    const DatedInterval typed{date.year(),
                              date.month(),
                              date.day(),
                              clockOf(m_start->time()),
                              clockOf(m_end->time()),
                              m_endsNextDay->isChecked()};
    const CalendarTime start = typed.start();
    const CalendarTime end = typed.end();
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
    showInterval(next.timeStart, next.timeEnd);
}
