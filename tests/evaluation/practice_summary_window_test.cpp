#include "evaluation/diagram_windows.h"
#include "evaluation/practice_summary_window.h"
#include "records/training_document.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

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
                IntervalRecord record;
                record.m_timeStart = start;
                record.m_timeEnd = start + 120 + (measurement * 37 + run * 53) % 400;
                record.m_uddhacca = run == 4;
                record.m_measurement = static_cast<std::uint16_t>(measurement);
                record.m_run = static_cast<std::uint16_t>(run);
                doc.appendInterval(*doc.currentTrainingType(), record);
                start = record.m_timeEnd + 20;
            }
        }
    }
}

// With JHAVARI_SCREENSHOTS set, the window is saved there for looking at.
void saveScreenshot(QWidget* window, const char* name)
{
    const QString folder = qEnvironmentVariable("JHAVARI_SCREENSHOTS");
    if (!folder.isEmpty())
        window->grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
}

} // namespace

TEST(PracticeSummaryWindow, FollowsTheCurrentTrainingTypeNewestFirst)
{
    TrainingDocument doc;
    doc.onNewDocument();
    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
    addDailySittings(doc, 7);
    DiagramWindows windows(doc);
    windows.openSummary();
    PracticeSummaryWindow* window = windows.summaryWindow();
    ASSERT_NE(window, nullptr);
    window->setClock([] { return makeLocalTime(2026, 12, 6, 21, 0, 0); });
    windows.refreshDiagrams();
    saveScreenshot(window, "practice_summary_week.png");

    QTableWidget* days = window->dayTable();
    ASSERT_EQ(days->rowCount(), 7);
    EXPECT_EQ(days->item(0, 0)->text(), "06.12.2026");
    EXPECT_EQ(days->item(0, 1)->text(), "2");
    EXPECT_EQ(days->item(1, 1)->text(), "1");
    EXPECT_EQ(window->weekTable()->item(0, 0)->text(), "2026-W49 (from 30.11.2026)");
    EXPECT_TRUE(window->overviewText().startsWith("Current streak: 7 days\nLast 7 days: 11 sittings, 44 intervals"))
        << window->overviewText().toStdString();

    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[1]);
    windows.refreshDiagrams();
    EXPECT_EQ(days->rowCount(), 0);
    EXPECT_TRUE(window->overviewText().startsWith("Current streak: 0 days")) << window->overviewText().toStdString();

    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[2]);
    addDailySittings(doc, 365);
    windows.refreshDiagrams();
    EXPECT_EQ(days->rowCount(), 365);
    saveScreenshot(window, "practice_summary_year_days.png");
    window->findChild<QTabWidget*>()->setCurrentIndex(1);
    saveScreenshot(window, "practice_summary_year_weeks.png");

    windows.closeDiagrams();
    EXPECT_EQ(windows.summaryWindow(), nullptr);
}
