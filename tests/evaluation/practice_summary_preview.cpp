// Saves pictures of the practice summary for a person to look at (run under
// Xvfb): practice_summary_preview OUTPUT_FOLDER. A month and a year of
// generated practice, each with the days' and the weeks' chart, under the
// light and a dark palette, with a daily goal of 30 minutes.
#include "editing/document_notifier.h"
#include "evaluation/diagram_windows.h"
#include "evaluation/practice_summary_window.h"
#include "platform/profile.h"
#include "records/training_document.h"
#include "tests/support/dark_palette.h"
#include "tests/support/document_edits.h"
#include "tests/support/private_profile.h"
#include "tests/support/record_builder.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>

namespace {

constexpr int kToday[] = {2026, 12, 6};

// One sitting on most days up to today, some days two, a few missed; the
// intervals grow longer over the days, and restless spells end some early.
void addPractice(TrainingDocument& doc, int days)
{
    int measurement = 0;
    for (int day = days - 1; day >= 0; --day) {
        if (day % 11 == 5 || day % 17 == 3)
            continue;
        for (int sitting = 0; sitting < (day % 5 == 0 ? 2 : 1); ++sitting) {
            ++measurement;
            CalendarTime start = makeLocalTime(kToday[0], kToday[1], kToday[2] - day, sitting ? 19 : 6, 30, 0);
            const int growth = (days - day) * 40 / days;
            const int runs = 3 + (day * 7) % 4;
            for (int run = 1; run <= runs; ++run) {
                const bool restless = (day * 13 + run * 5) % 9 == 0;
                const TimeSpan length = 150 + growth * 12 + (day * 37 + run * 53) % 300 - (restless ? 100 : 0);
                const IntervalRecord interval =
                    record().measurement(measurement).run(run).from(start).lasting(length).uddhacca(restless);
                append(doc, *doc.currentTrainingType(), interval);
                start = interval.m_timeEnd + 30;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    const PrivateProfile profile;
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QPalette light = QApplication::palette();
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    openProfile()->setValue(QStringLiteral("Settings/DailyGoal"), 30);

    for (const auto& [span, days] : {std::pair{"month", 30}, std::pair{"year", 365}}) {
        TrainingDocument doc;
        doc.onNewDocument();
        doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
        addPractice(doc, days);
        DocumentNotifier notifier(doc);
        DiagramWindows windows(doc, notifier);
        for (const auto& [palette, name] : {std::pair{light, "light"}, std::pair{darkPalette(), "dark"}}) {
            QApplication::setPalette(palette);
            windows.openSummary();
            PracticeSummaryWindow* window = windows.summaryWindow();
            window->setClock([] { return makeLocalTime(kToday[0], kToday[1], kToday[2], 21, 0, 0); });
            window->refresh();
            auto* tabs = window->findChild<QTabWidget*>();
            for (int tab = 0; tab < tabs->count(); ++tab) {
                tabs->setCurrentIndex(tab);
                QTest::qWait(200);
                window->grab().save(
                    folder.filePath(QStringLiteral("summary_%1_%2_%3.png")
                                        .arg(QLatin1String(span), tab == 0 ? "days" : "weeks", QLatin1String(name))));
            }
            windows.closeDiagrams();
        }
    }
    return 0;
}
