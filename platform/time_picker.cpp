#include "platform/time_picker.h"

#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

TimePicker::TimePicker(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QTimeEdit::timeChanged, this, [this] {
        if (!m_setting)
            emit timeEdited();
    });
    lineEdit()->installEventFilter(this);
}

bool TimePicker::eventFilter(QObject* watched, QEvent* event)
{
    // A click only places the caret, and digits typed at a caret inside a
    // section are refused; selecting the section under the click lets them
    // replace it. A drag that selected text keeps its selection.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !lineEdit()->hasSelectedText()) {
        const bool handled = QTimeEdit::eventFilter(watched, event);
        // Every section of "HH:mm:ss" is two digits and a separator wide.
        const int index = std::min(lineEdit()->cursorPosition() / 3, sectionCount() - 1);
        setCurrentSectionIndex(index);
        setSelectedSection(sectionAt(index));
        return handled;
    }
    return QTimeEdit::eventFilter(watched, event);
}

void TimePicker::setCalendarTime(CalendarTime time)
{
    m_timeGiven = time;
    const std::tm fields = breakLocalTime(time);
    m_setting = true;
    setTime(QTime(fields.tm_hour, fields.tm_min, fields.tm_sec));
    m_setting = false;
}

CalendarTime TimePicker::calendarTime() const
{
    const std::tm date = breakLocalTime(m_timeGiven);
    const QTime shown = time();
    return makeLocalTime(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday, shown.hour(), shown.minute(),
                         shown.second());
}
