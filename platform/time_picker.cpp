#include "time_picker.h"

CTimePicker::CTimePicker(QWidget* parent) : QTimeEdit(parent)
{
    setDisplayFormat(QStringLiteral("HH:mm:ss"));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(this, &QTimeEdit::timeChanged, this, [this] {
        if (!m_bSetting)
            emit TimeChanged();
    });
}

void CTimePicker::SetTime(CalendarTime time)
{
    m_timeGiven = time;
    const std::tm fields = BreakLocalTime(time);
    m_bSetting = true;
    setTime(QTime(fields.tm_hour, fields.tm_min, fields.tm_sec));
    m_bSetting = false;
}

CalendarTime CTimePicker::GetTime() const
{
    const std::tm date = BreakLocalTime(m_timeGiven);
    const QTime shown = time();
    return MakeLocalTime(date.tm_year + 1900, date.tm_mon + 1, date.tm_mday, shown.hour(), shown.minute(),
                         shown.second());
}
