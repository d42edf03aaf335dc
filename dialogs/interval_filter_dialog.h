#pragma once

#include "records/calendar_time.h"

#include <QDialog>

class TimePicker;

// "Interval filter": the time below which the evaluation leaves intervals out.
class IntervalFilterDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_FILTER_TIME = 1040;
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    explicit IntervalFilterDialog(QWidget* parent = nullptr);

    // Written into the picker when the dialog opens, read back on OK; the
    // picker keeps its date and edits only the time of day.
    CalendarTime m_timeFilter = 0;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TimePicker* m_picker;
    bool m_initialised = false;
};
