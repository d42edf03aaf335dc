#pragma once

#include "records/calendar_time.h"

#include <QTimeEdit>

// A time-of-day control over a calendar time: it edits hours, minutes and
// seconds and keeps the date part of the value it was given.
class TimePicker : public QTimeEdit {
    Q_OBJECT
public:
    explicit TimePicker(QWidget* parent = nullptr);

    void setCalendarTime(CalendarTime time);
    // The given value's local date with the edited time of day.
    CalendarTime calendarTime() const;

signals:
    // The user changed the value (not sent by setCalendarTime).
    void timeEdited();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tab goes on to the next control, not to the next section: the field is one Tab stop.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

private:
    CalendarTime m_timeGiven = 0;
    bool m_setting = false;
};
