#pragma once

#include "calendar_time.h"

#include <QTimeEdit>

// A time-of-day control over a calendar time: it edits hours, minutes and
// seconds and keeps the date part of the value it was given.
class CTimePicker : public QTimeEdit {
    Q_OBJECT
public:
    explicit CTimePicker(QWidget* parent = nullptr);

    void SetTime(CalendarTime time);
    // The given value's local date with the edited time of day.
    CalendarTime GetTime() const;

signals:
    // The user changed the value (not sent by SetTime).
    void TimeChanged();

private:
    CalendarTime m_timeGiven = 0;
    bool m_bSetting = false;
};
