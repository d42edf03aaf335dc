#include "evaluation/practice_summary_window.h"

#include "evaluation/practice_summary.h"
#include "records/text_encoding.h"
#include "records/training_document.h"

#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QStringList kTotalsHeaders = {QStringLiteral("Sittings"), QStringLiteral("Intervals"),
                                    QStringLiteral("Interval time"), QStringLiteral("Longest without uddhacca"),
                                    QStringLiteral("Uddhacca share")};

QTableWidget* makeTable(const QString& firstHeader, const QString& accessibleName)
{
    auto* table = new QTableWidget(0, 1 + static_cast<int>(kTotalsHeaders.size()));
    table->setHorizontalHeaderLabels(QStringList{firstHeader} + kTotalsHeaders);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAccessibleName(accessibleName);
    return table;
}

QTableWidgetItem* cell(const QString& text, bool number)
{
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(number ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    return item;
}

void setRow(QTableWidget* table, int row, const QString& label, const PracticeTotals& totals)
{
    table->setItem(row, 0, cell(label, false));
    table->setItem(row, 1, cell(QString::number(totals.sittings), true));
    table->setItem(row, 2, cell(QString::number(totals.intervals), true));
    table->setItem(row, 3, cell(QString::fromStdString(formatTotalTime(totals.intervalSeconds)), true));
    table->setItem(row, 4, cell(QString::fromStdString(formatTotalTime(totals.longestCalmSeconds)), true));
    table->setItem(row, 5, cell(QStringLiteral("%1 %").arg(totals.uddhaccaPercent()), true));
}

QString totalsText(const char* span, const PracticeTotals& totals)
{
    return QStringLiteral("%1: %2 sittings, %3 intervals, %4, uddhacca share %5 %")
        .arg(QString::fromLatin1(span))
        .arg(totals.sittings)
        .arg(totals.intervals)
        .arg(QString::fromStdString(formatTotalTime(totals.intervalSeconds)))
        .arg(totals.uddhaccaPercent());
}

} // namespace

PracticeSummaryWindow::PracticeSummaryWindow(const TrainingDocument& doc)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_doc(doc), m_now([] { return static_cast<CalendarTime>(QDateTime::currentSecsSinceEpoch()); })
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setObjectName(QStringLiteral("PracticeSummary"));
    setWindowTitle(QStringLiteral("Practice summary"));

    m_heading = new QLabel;
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_overview = new QLabel;
    m_overview->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_days = makeTable(QStringLiteral("Day"), QStringLiteral("Practice per day"));
    m_weeks = makeTable(QStringLiteral("Week"), QStringLiteral("Practice per week"));
    auto* tabs = new QTabWidget;
    tabs->addTab(m_days, QStringLiteral("Days"));
    tabs->addTab(m_weeks, QStringLiteral("Weeks"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_overview);
    layout->addWidget(tabs, 1);
    resize(760, 440);
    refresh();
}

QString PracticeSummaryWindow::overviewText() const
{
    return m_overview->text();
}

void PracticeSummaryWindow::refresh()
{
    const TrainingType* type = m_doc.currentTrainingType();
    if (!type) {
        m_heading->setText(QString());
        m_overview->setText(QStringLiteral("No training type is selected."));
        m_days->setRowCount(0);
        m_weeks->setRowCount(0);
        return;
    }
    const PracticeSummary summary(*type, m_now());
    m_heading->setText(QString::fromStdString(decodeText(type->m_name)));
    const int streak = summary.currentStreak();
    m_overview->setText(QStringLiteral("Current streak: %1 %2\n%3\n%4")
                            .arg(streak)
                            .arg(streak == 1 ? QStringLiteral("day") : QStringLiteral("days"))
                            .arg(totalsText("Last 7 days", summary.lastSevenDays()))
                            .arg(totalsText("Last 30 days", summary.lastThirtyDays())));
    fillTables(summary);
}

void PracticeSummaryWindow::fillTables(const PracticeSummary& summary)
{
    const auto& days = summary.days();
    m_days->setRowCount(static_cast<int>(days.size()));
    for (std::size_t i = 0; i < days.size(); ++i) {
        const DaySummary& day = days[days.size() - 1 - i];
        setRow(m_days, static_cast<int>(i), QString::fromStdString(formatDayNumber(day.dayNumber)), day.totals);
    }
    const auto& weeks = summary.weeks();
    m_weeks->setRowCount(static_cast<int>(weeks.size()));
    for (std::size_t i = 0; i < weeks.size(); ++i) {
        const WeekSummary& week = weeks[weeks.size() - 1 - i];
        setRow(m_weeks, static_cast<int>(i), QString::fromStdString(formatWeek(week)), week.totals);
    }
}
