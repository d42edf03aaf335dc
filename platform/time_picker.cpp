#include "platform/time_picker.h"

TimePicker::TimePicker(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QTimeEdit::timeChanged, this, [this] {
        if (!m_setting)
            emit timeEdited();
    });
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
