#include "evaluation/practice_summary_window.h"

#include "evaluation/practice_bar_chart.h"
#include "evaluation/practice_bars.h"
#include "evaluation/practice_summary.h"
#include "evaluation/term_explanations.h"
#include "platform/profile.h"
#include "platform/wrapped_tool_tip.h"
#include "records/text_encoding.h"
#include "records/training_document.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace {

const QStringList kTotalsHeaders = {QStringLiteral("Sittings"), QStringLiteral("Intervals"),
                                    QStringLiteral("Interval time"), QStringLiteral("Longest without uddhacca"),
                                    QStringLiteral("Uddhacca share")};
constexpr SummaryColumn kTotalsColumns[] = {SummaryColumn::Sittings, SummaryColumn::Intervals,
                                            SummaryColumn::IntervalTime, SummaryColumn::LongestCalm,
                                            SummaryColumn::UddhaccaShare};

constexpr const char* kDailyGoalEntry = "Settings/DailyGoal";
constexpr int kLongestGoalMinutes = 24 * 60;

QTableWidget* makeTable(const QString& firstHeader, SummaryColumn firstColumn, const QString& accessibleName)
{
    auto* table = new QTableWidget(0, 1 + static_cast<int>(kTotalsHeaders.size()));
    table->setHorizontalHeaderLabels(QStringList{firstHeader} + kTotalsHeaders);
    table->horizontalHeaderItem(0)->setToolTip(wrappedToolTip(summaryColumnExplanation(firstColumn)));
    for (int i = 0; i < static_cast<int>(std::size(kTotalsColumns)); ++i)
        table->horizontalHeaderItem(i + 1)->setToolTip(
            wrappedToolTip(summaryColumnExplanation(kTotalsColumns[static_cast<std::size_t>(i)])));
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
    m_days = makeTable(QStringLiteral("Day"), SummaryColumn::Day, QStringLiteral("Practice per day"));
    m_weeks = makeTable(QStringLiteral("Week"), SummaryColumn::Week, QStringLiteral("Practice per week"));
    m_dayChart = new PracticeBarChart;
    m_dayChart->setObjectName(QStringLiteral("DayChart"));
    m_dayChart->setAccessibleName(QStringLiteral("Minutes of practice on each of the last 30 days"));
    m_weekChart = new PracticeBarChart;
    m_weekChart->setObjectName(QStringLiteral("WeekChart"));
    m_weekChart->setAccessibleName(QStringLiteral("Minutes of practice in each of the last 52 weeks"));
    const auto page = [](PracticeBarChart* chart, QTableWidget* table) {
        auto* widget = new QWidget;
        auto* layout = new QVBoxLayout(widget);
        layout->addWidget(chart, 2);
        layout->addWidget(table, 3);
        return widget;
    };
    auto* tabs = new QTabWidget;
    tabs->addTab(page(m_dayChart, m_days), QStringLiteral("Days"));
    tabs->addTab(page(m_weekChart, m_weeks), QStringLiteral("Weeks"));

    m_goal = new QSpinBox;
    m_goal->setObjectName(QStringLiteral("DailyGoal"));
    m_goal->setRange(0, kLongestGoalMinutes);
    m_goal->setSingleStep(5);
    m_goal->setSpecialValueText(QStringLiteral("off"));
    m_goal->setSuffix(QStringLiteral(" min"));
    m_goal->setValue(storedDailyGoal());
    auto* goalLabel = new QLabel(QStringLiteral("Daily &goal:"));
    goalLabel->setBuddy(m_goal);
    m_goal->setToolTip(wrappedToolTip("The minutes of interval time you want to practise each day; kept for this "
                                      "user, not in the document. Set to off to hide the goal."));
    connect(m_goal, &QSpinBox::valueChanged, this, [this](int minutes) {
        openProfile()->setValue(kDailyGoalEntry, minutes);
        refresh();
    });
    auto* goalRow = new QHBoxLayout;
    goalRow->addWidget(goalLabel);
    goalRow->addWidget(m_goal);
    goalRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_overview);
    layout->addLayout(goalRow);
    layout->addWidget(tabs, 1);
    resize(760, 620);
    m_midnight.setSingleShot(true);
    connect(&m_midnight, &QTimer::timeout, this, &PracticeSummaryWindow::refresh);
    refresh();
}

QString PracticeSummaryWindow::overviewText() const
{
    return m_overview->text();
}

void PracticeSummaryWindow::refresh()
{
    const CalendarTime now = m_now();
    m_midnight.start(static_cast<int>(secondsUntilNextLocalDay(now) * 1000));
    const TrainingType* type = m_doc.currentTrainingType();
    if (!type) {
        m_heading->setText(QString());
        m_overview->setText(QStringLiteral("No training type is selected."));
        m_days->setRowCount(0);
        m_weeks->setRowCount(0);
        m_dayChart->setBars({});
        m_weekChart->setBars({});
        return;
    }
    const PracticeSummary summary(*type, now);
    const PracticeBars bars(summary);
    m_heading->setText(QString::fromStdString(decodeText(type->m_name)));
    const int streak = summary.currentStreak();
    const int goal = m_goal->value();
    QString streakLine = QStringLiteral("Current streak: %1 %2")
                             .arg(streak)
                             .arg(streak == 1 ? QStringLiteral("day") : QStringLiteral("days"));
    if (goal > 0)
        streakLine += QStringLiteral(", days meeting the goal of %1 min: %2 of the last %3")
                          .arg(goal)
                          .arg(bars.daysMeetingGoal(goal))
                          .arg(PracticeBars::kDays);
    m_overview->setText(QStringLiteral("%1\n%2\n%3")
                            .arg(streakLine, totalsText("Last 7 days", summary.lastSevenDays()),
                                 totalsText("Last 30 days", summary.lastThirtyDays())));
    m_dayChart->setBars(bars.days());
    m_dayChart->setGoalMinutes(goal);
    m_weekChart->setBars(bars.weeks());
    fillTables(summary);
}

int PracticeSummaryWindow::storedDailyGoal()
{
    return std::clamp(openProfile()->value(kDailyGoalEntry, 0).toInt(), 0, kLongestGoalMinutes);
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
