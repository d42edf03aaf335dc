#pragma once

#include "records/calendar_time.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class PracticeBarChart;
class PracticeSummary;
class TrainingDocument;
class QLabel;
class QSpinBox;
class QTableWidget;

// A modeless window with the practice of the current training type per day and
// per week, the current streak and the last 7 and 30 days: bar charts of the
// last 30 days and 52 weeks above tables with newest rows first. A daily goal
// in minutes, kept in the user's profile and off by default, draws a goal line
// and counts the days meeting it.
class PracticeSummaryWindow : public QDialog {
    Q_OBJECT
public:
    explicit PracticeSummaryWindow(const TrainingDocument& doc);

    // Recomputes everything from the current records.
    void refresh();
    // What counts as now; the system clock unless set.
    void setClock(std::function<CalendarTime()> now) { m_now = std::move(now); }

    QTableWidget* dayTable() const { return m_days; }
    QTableWidget* weekTable() const { return m_weeks; }
    PracticeBarChart* dayChart() const { return m_dayChart; }
    PracticeBarChart* weekChart() const { return m_weekChart; }
    QSpinBox* goalBox() const { return m_goal; }
    QString overviewText() const;

    // The daily goal in minutes as the profile keeps it; 0 when it is off.
    static int storedDailyGoal();

private:
    void fillTables(const PracticeSummary& summary);

    const TrainingDocument& m_doc;
    std::function<CalendarTime()> m_now;
    QLabel* m_heading = nullptr;
    QLabel* m_overview = nullptr;
    QTableWidget* m_days = nullptr;
    QTableWidget* m_weeks = nullptr;
    PracticeBarChart* m_dayChart = nullptr;
    PracticeBarChart* m_weekChart = nullptr;
    QSpinBox* m_goal = nullptr;
    // Today decides the streak and the last days: a window left open overnight refreshes at midnight.
    QTimer m_midnight;
};
