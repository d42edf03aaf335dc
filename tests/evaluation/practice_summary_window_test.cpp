#include "editing/document_notifier.h"
#include "evaluation/diagram_windows.h"
#include "evaluation/practice_bar_chart.h"
#include "evaluation/practice_summary_window.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/record_builder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>

namespace {

// Sittings at 7:00 and, every other day, at 19:30 for the given days up to
// 6 December 2026, each with four intervals of which the last is uddhacca.
void addDailySittings(TrainingDocument& doc, int days)
{
    int measurement = 0;
    for (int day = days - 1; day >= 0; --day) {
        for (int hour : {7, 19}) {
            if (hour == 19 && day % 2 == 1)
                continue;
            ++measurement;
            CalendarTime start = makeLocalTime(2026, 12, 6 - day, hour, 30, 0);
            for (int run = 1; run <= 4; ++run) {
                const IntervalRecord interval = record()
                                                    .measurement(measurement)
                                                    .run(run)
                                                    .from(start)
                                                    .lasting(120 + (measurement * 37 + run * 53) % 400)
                                                    .uddhacca(run == 4);
                append(doc, *doc.currentTrainingType(), interval);
                start = interval.m_timeEnd + 20;
            }
        }
    }
}

// A new document and the owner of its evaluation windows.
class PracticeSummaryWindowTest : public ::testing::Test {
protected:
    PracticeSummaryWindowTest() { doc.onNewDocument(); }

    // The summary after a week of daily sittings of the first training type, on the evening of 6 December 2026.
    void openAfterAWeek()
    {
        doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
        addDailySittings(doc, 7);
        windows.openSummary();
        window = windows.summaryWindow();
        ASSERT_NE(window, nullptr);
        window->setClock([] { return makeLocalTime(2026, 12, 6, 21, 0, 0); });
        window->refresh();
    }

    TrainingDocument doc;
    DocumentNotifier notifier{doc};
    DiagramWindows windows{doc, notifier};
    PracticeSummaryWindow* window = nullptr;
};

} // namespace

TEST_F(PracticeSummaryWindowTest, FollowsTheCurrentTrainingTypeNewestFirst)
{
    ASSERT_NO_FATAL_FAILURE(openAfterAWeek());

    QTableWidget* days = window->dayTable();
    ASSERT_EQ(days->rowCount(), 7);
    EXPECT_EQ(days->item(0, 0)->text(), "06.12.2026");
    EXPECT_EQ(days->item(0, 1)->text(), "2");
    EXPECT_EQ(days->item(1, 1)->text(), "1");
    EXPECT_EQ(window->weekTable()->item(0, 0)->text(), "2026-W49 (from 30.11.2026)");
    EXPECT_TRUE(window->overviewText().startsWith("Current streak: 7 days\nLast 7 days: 11 sittings, 44 intervals"))
        << window->overviewText().toStdString();

    // The summary follows the training type and the records by itself.
    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[1]);
    EXPECT_EQ(days->rowCount(), 0);
    EXPECT_TRUE(window->overviewText().startsWith("Current streak: 0 days")) << window->overviewText().toStdString();

    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[2]);
    addDailySittings(doc, 365);
    QCoreApplication::processEvents();
    EXPECT_EQ(days->rowCount(), 365);

    windows.closeDiagrams();
    EXPECT_EQ(windows.summaryWindow(), nullptr);
}

TEST_F(PracticeSummaryWindowTest, AWindowLeftOpenOverMidnightCountsFromTheNewDay)
{
    ASSERT_NO_FATAL_FAILURE(openAfterAWeek());
    CalendarTime now = makeLocalTime(2026, 12, 6, 23, 59, 59);
    window->setClock([&now] { return now; });
    window->refresh();
    EXPECT_TRUE(window->overviewText().startsWith("Current streak: 7 days")) << window->overviewText().toStdString();

    // A week later, with no record changed in between.
    now = makeLocalTime(2026, 12, 14, 0, 0, 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [this] { return window->overviewText().startsWith("Current streak: 0 days\nLast 7 days: 0 sittings"); }, 5000))
        << window->overviewText().toStdString();
}

TEST_F(PracticeSummaryWindowTest, EscapeAndTheCloseRequestCloseIt)
{
    for (const bool byEscape : {true, false}) {
        windows.openSummary();
        window = windows.summaryWindow();
        ASSERT_NE(window, nullptr);
        if (byEscape)
            QTest::keyClick(window, Qt::Key_Escape);
        else
            EXPECT_TRUE(window->close()) << "the window manager's close request is granted";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(windows.summaryWindow(), nullptr) << (byEscape ? "Escape" : "close");
    }
}

TEST_F(PracticeSummaryWindowTest, ChartsShowTheLastDaysAndWeeksAndTheDailyGoalIsKeptForTheUser)
{
    ASSERT_NO_FATAL_FAILURE(openAfterAWeek());

    EXPECT_EQ(window->goalBox()->value(), 0);
    EXPECT_EQ(window->goalBox()->text(), "off") << "no goal until the user sets one";
    ASSERT_EQ(window->dayChart()->bars().size(), 30u);
    EXPECT_EQ(window->weekChart()->bars().size(), 52u);
    EXPECT_EQ(window->dayChart()->goalMinutes(), 0);
    EXPECT_GT(window->dayChart()->bars().back().minutes(), 8.0);
    EXPECT_TRUE(window->dayTable()->horizontalHeaderItem(5)->toolTip().contains("Uddhacca share"));
    EXPECT_TRUE(window->weekTable()->horizontalHeaderItem(0)->toolTip().contains("ISO 8601"));

    // The figures of a bar show over it.
    PracticeBarChart* chart = window->dayChart();
    chart->resize(600, 200);
    const QPoint today = chart->barColumn(29).center();
    EXPECT_EQ(chart->barAt(today), 29);
    QHelpEvent help(QEvent::ToolTip, today, chart->mapToGlobal(today));
    QApplication::sendEvent(chart, &help);
    EXPECT_TRUE(QToolTip::text().startsWith("06.12.2026\n2 sittings, 8 intervals")) << QToolTip::text().toStdString();
    QToolTip::hideText();

    window->goalBox()->setValue(1);
    EXPECT_EQ(window->dayChart()->goalMinutes(), 1);
    EXPECT_TRUE(window->overviewText().startsWith(
        "Current streak: 7 days, days meeting the goal of 1 min: 7 of the last 30\nLast 7 days"))
        << window->overviewText().toStdString();
    window->goalBox()->setValue(1000);
    EXPECT_TRUE(window->overviewText().contains("goal of 1000 min: 0 of the last 30"));

    // Kept in the profile, not in the document: a window opened later shows it.
    windows.closeDiagrams();
    windows.openSummary();
    EXPECT_EQ(windows.summaryWindow()->goalBox()->value(), 1000);
    EXPECT_EQ(PracticeSummaryWindow::storedDailyGoal(), 1000);
    windows.summaryWindow()->goalBox()->setValue(0);
    EXPECT_EQ(PracticeSummaryWindow::storedDailyGoal(), 0);
    windows.closeDiagrams();
}
