// Saves pictures of a diagram window after a month of practice for a person to
// look at (run under Xvfb): diagram_preview OUTPUT_FOLDER. The Median
// window with its moving average in each of the ten presentations, its check
// box enlarged, and the picture "Save diagram as..." writes.
#include "chart_component/ntgraph_class.h"
#include "evaluation/diagram_image.h"
#include "evaluation/diagram_statistics.h"
#include "evaluation/diagram_window.h"
#include "platform/component_registry.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/private_profile.h"
#include "tests/support/record_builder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTest>

namespace {

// Two sittings a day for three weeks, then one a day: 45 measurements whose
// intervals grow longer, with a bad day now and then.
void addMonthOfPractice(TrainingDocument& doc)
{
    const TrainingType& type = *doc.currentTrainingType();
    for (int n = 1; n <= 45; ++n) {
        const int day = n <= 42 ? (n - 1) / 2 : 21 + (n - 42);
        CalendarTime start = makeLocalTime(2026, 11, 1 + day, n % 2 == 0 ? 19 : 6, 30, 0);
        const int runs = 3 + n % 3;
        for (int run = 1; run <= runs; ++run) {
            const TimeSpan length = 120 + n * 25 + (n * 7 + run * 53) % 240 - (n % 9 == 0 ? 400 : 0);
            const IntervalRecord interval = record()
                                                .measurement(n)
                                                .run(run)
                                                .from(start)
                                                .lasting(std::max<TimeSpan>(length, 40))
                                                .uddhacca(run == runs && n % 4 == 0);
            append(doc, type, interval);
            start = interval.m_timeEnd + 30;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    const PrivateProfile profile;
    QApplication application(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    writeComponentRegistration(kChartControlClassId, "NTGraph Control", JHAVARI_CHART_COMPONENT);

    TrainingDocument doc;
    doc.onNewDocument();
    doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
    addMonthOfPractice(doc);

    DiagramStatistics statistics(doc);
    auto* window = new DiagramWindow(doc, statistics, DiagramKind::Median); // deletes itself on closing
    window->show();
    auto* box = window->findChild<QCheckBox*>(QStringLiteral("1073"));
    box->setChecked(true);
    QTest::qWait(300);
    for (int presentation = 0; presentation < 10; ++presentation) {
        window->grab().save(folder.filePath(QStringLiteral("median_style%1.png").arg(presentation)));
        window->findChild<QAbstractButton*>(QStringLiteral("1063"))->click();
        QTest::qWait(100);
    }
    const QRect aroundBox = box->geometry().adjusted(-4, -4, 4, 4);
    const QPixmap boxPicture = window->grab(aroundBox);
    boxPicture.scaled(boxPicture.size() * 2).save(folder.filePath(QStringLiteral("checkbox.png")));
    saveDiagramImage(*window->findChild<QWidget*>(QStringLiteral("1062")),
                     *window->findChild<QLabel*>(QStringLiteral("1064")),
                     folder.filePath(QStringLiteral("median_saved.png")));
    window->close();
    return 0;
}
