// The four diagram windows over big documents, painted on the offscreen
// platform, each against its reference in the same run:
// - opening all four (goals at a million records: 60 ms in all, 20 MB more
//   heap) against the statistics computed once and a bare QPainter polyline
//   of 700 points per window;
// - drawing all four again after one more interval was appended (goal: 16 ms)
//   against the four bare polylines.
#include "bench/big_document.h"
#include "bench/side_by_side.h"
#include "chart_component/ntgraph_class.h"
#include "editing/document_notifier.h"
#include "evaluation/diagram_window.h"
#include "evaluation/diagram_windows.h"
#include "evaluation/interval_statistics.h"
#include "platform/component_registry.h"

#include <QChartView>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <memory>

namespace {

constexpr QSize kChartSize(806, 430);

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Lets the windows lay out, fill their charts and paint.
void paintPending()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// The least a diagram costs: a line of 700 points drawn with antialiasing.
class BarePolylines {
public:
    BarePolylines() : m_image(kChartSize, QImage::Format_ARGB32_Premultiplied)
    {
        for (int x = 0; x < 700; ++x)
            m_line.append(QPointF(50 + x, 200 + 150 * std::sin(x * 0.37)));
    }
    void drawFour()
    {
        for (int window = 0; window < 4; ++window) {
            QPainter painter(&m_image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.drawPolyline(m_line);
        }
    }

private:
    QImage m_image;
    QPolygonF m_line;
};

struct DiagramBench {
    explicit DiagramBench(int records)
    {
        static const bool registered = writeComponentRegistration(kChartControlClassId, "NTGraph Control",
                                                                  QStringLiteral(JHAVARI_CHART_COMPONENT));
        (void)registered;
        bench::fillBigDocument(document, records);
    }
    void openAll()
    {
        for (DiagramKind kind : kDiagramKinds)
            windows.openDiagram(kind, nullptr);
        paintPending();
    }
    // Whether the windows hold charts: the chart component could be loaded.
    bool haveCharts() const
    {
        return windows.window(DiagramKind::Maximum) &&
               windows.window(DiagramKind::Maximum)->findChild<QChartView*>() != nullptr;
    }

    TrainingDocument document;
    DocumentNotifier notifier{document};
    DiagramWindows windows{document, notifier};
    BarePolylines polylines;
};

void BM_OpenFourDiagrams(benchmark::State& state)
{
    DiagramBench bench(static_cast<int>(state.range(0)));
    const TrainingType& type = *bench.document.currentTrainingType();
    const CalendarTime filter = bench.document.settings().m_timeFilter;
    std::size_t heap = 0;
    bench::timeSideBySide(
        state,
        [&] {
            const std::size_t before = heapInUse();
            bench.openAll();
            heap = heapInUse() - before;
        },
        [&] {
            const IntervalStatistics statistics(type, filter);
            benchmark::DoNotOptimize(statistics.measurementCount());
            bench.polylines.drawFour();
        },
        [&] {
            bench.windows.closeDiagrams();
            // Statistics made before would be kept: the windows open as on a document just loaded.
            bench.document.announceReset(DocumentReset::Loaded);
            paintPending();
        });
    state.counters["heap_MB"] = static_cast<double>(heap) / 1e6;
    bench.openAll();
    if (!bench.haveCharts())
        state.SkipWithError("the chart component could not be loaded");
}

void BM_RedrawAfterAppendedInterval(benchmark::State& state)
{
    DiagramBench bench(static_cast<int>(state.range(0)));
    bench.openAll();
    if (!bench.haveCharts()) {
        state.SkipWithError("the chart component could not be loaded");
        return;
    }
    IntervalRecord next =
        bench.document.currentTrainingType()->m_records[bench.document.currentTrainingType()->m_records.size() - 1];
    bench::timeSideBySide(
        state,
        [&] {
            // A minute longer than the one before: every diagram's last value changes.
            next.m_timeStart += 300;
            next.m_timeEnd += 360;
            ++next.m_run;
            bench.document.apply(AppendInterval{0, next});
            for (DiagramKind kind : kDiagramKinds)
                bench.windows.window(kind)->repaint();
            paintPending();
        },
        [&] { bench.polylines.drawFour(); });
}

} // namespace

BENCHMARK(BM_OpenFourDiagrams)->Apply(bench::bigDocumentSizes);
BENCHMARK(BM_RedrawAfterAppendedInterval)->Apply(bench::bigDocumentSizes);
