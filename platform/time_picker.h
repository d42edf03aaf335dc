#pragma once

#include "records/calendar_time.h"

#include <QTimeEdit>

// A time-of-day control over a calendar time: it edits hours, minutes and
// seconds and keeps the date part of the value it was given. Digits replace
// the selected section; a whole time typed in a row ("23:30:00", "1:30:00" or
// "233000") sets all three, wherever the typing began.
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
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    // Tab goes on to the next control, not to the next section: the field is one Tab stop.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

private:
    CalendarTime m_timeGiven = 0;
    bool m_setting = false;
    // The digits and colons typed in a row since the last click, focus or other key.
    QString m_typed;
};
