#pragma once

#include "records/calendar_time.h"

#include <QDialog>

#include <functional>

class PracticeSummary;
class TrainingDocument;
class QLabel;
class QTableWidget;

// A modeless window with the practice of the current training type per day and
// per week, the current streak and the last 7 and 30 days; newest rows first.
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
    QString overviewText() const;

private:
    void fillTables(const PracticeSummary& summary);

    const TrainingDocument& m_doc;
    std::function<CalendarTime()> m_now;
    QLabel* m_heading = nullptr;
    QLabel* m_overview = nullptr;
    QTableWidget* m_days = nullptr;
    QTableWidget* m_weeks = nullptr;
};
