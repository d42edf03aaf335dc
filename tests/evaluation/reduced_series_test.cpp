// The points chosen for a chart's pixel columns draw the same picture as all
// of the points, in each way the diagrams draw them.
#include "chart_component/pixel_reduction.h"
#include "chart_component/series_line.h"

#include <QAreaSeries>
#include <QChartView>
#include <QCoreApplication>
#include <QImage>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace {

// The values of a diagram in minutes, here over many more measurements than
// the chart has pixel columns: they wander, jump and drop to 0 now and then.
QList<QPointF> measurements(int count)
{
    std::mt19937 random(20261207);
    QList<QPointF> points{{0, 0}};
    double value = 20;
    for (int n = 1; n <= count; ++n) {
        value = std::clamp(value + std::normal_distribution<>(0, 3)(random), 0.0, 90.0);
        points.append({static_cast<double>(n), random() % 11 == 0 ? 0.0 : value});
    }
    return points;
}

// Puts the chosen points on the chart, the way one style draws them.
using MakeSeries = std::function<void(QChart& chart, const QList<QPointF>& shown)>;
using Choose = std::function<QList<QPointF>(const QList<QPointF>& all, const PixelMapping& pixels)>;

// Adds a series to the chart on its two axes.
void addSeries(QChart& chart, QAbstractSeries* series)
{
    chart.addSeries(series);
    for (QAbstractAxis* axis : chart.axes())
        series->attachAxis(axis);
}

// The chart of a diagram window with one series of the chosen points.
QImage draw(const MakeSeries& makeSeries, const QList<QPointF>& points, const Choose& choose, bool antialiased)
{
    QChartView view;
    view.resize(806, 430);
    view.setRenderHint(QPainter::Antialiasing, antialiased);
    QChart* chart = view.chart();
    chart->legend()->hide();
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setRange(0, points.last().x() * 1.25);
    y->setRange(0, 100);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    view.show();
    QCoreApplication::processEvents();
    makeSeries(*chart, choose(points, PixelMapping::of(*chart, view.devicePixelRatioF())));
    QCoreApplication::processEvents();
    return view.grab().toImage();
}

struct Difference {
    double share = 0;   // of the pixels that differ
    double average = 0; // difference per channel over all pixels, 0 to 1
};

Difference compare(const QImage& a, const QImage& b)
{
    long differing = 0;
    double total = 0;
    for (int row = 0; row < a.height(); ++row) {
        for (int column = 0; column < a.width(); ++column) {
            const QColor p = a.pixelColor(column, row);
            const QColor q = b.pixelColor(column, row);
            const int channels =
                std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
            differing += channels > 0 ? 1 : 0;
            total += channels;
        }
    }
    const double pixels = static_cast<double>(a.width()) * a.height();
    return {differing / pixels, total / (3 * 255 * pixels)};
}

MakeSeries line(int width)
{
    return [width](QChart& chart, const QList<QPointF>& shown) {
        const QPen pen(Qt::blue, width);
        auto* series = new QLineSeries;
        series->setPen(pen);
        addSeries(chart, series);
        (new SeriesLine(chart, *series, pen))->setPoints(shown);
    };
}

const Choose kAll = [](const QList<QPointF>& all, const PixelMapping&) { return all; };

struct Style {
    const char* name;
    int pointCount;
    MakeSeries all;
    MakeSeries reduced;
    Choose choose;
    // Without antialiasing: the share of pixels that may differ at all.
    double aliasedShare = 0.0005;
    // With antialiasing: the average difference per channel, 0 to 1.
    double antialiasedAverage = 0.02;
};

} // namespace

TEST(ReducedSeries, DrawsThePictureOfAllPoints)
{
    const MakeSeries area = [](QChart& chart, const QList<QPointF>& shown) {
        auto* upper = new QLineSeries;
        upper->append(shown);
        auto* series = new QAreaSeries(upper);
        series->setBrush(QColor(0, 0, 255, 90));
        series->setPen(QPen(Qt::blue, 1));
        addSeries(chart, series);
    };
    const MakeSeries marked = [](QChart& chart, const QList<QPointF>& shown) {
        auto* series = new QLineSeries;
        series->append(shown);
        series->setPen(QPen(Qt::blue, 1));
        series->setPointsVisible(true);
        series->setMarkerSize(12);
        addSeries(chart, series);
    };
    const MakeSeries scatter = [](QChart& chart, const QList<QPointF>& shown) {
        auto* series = new QScatterSeries;
        series->append(shown);
        series->setMarkerSize(12);
        series->setColor(Qt::blue);
        series->setBorderColor(Qt::blue);
        addSeries(chart, series);
    };
    const MakeSeries spline = [](QChart& chart, const QList<QPointF>& shown) {
        auto* series = new QSplineSeries;
        series->append(shown);
        series->setPen(QPen(Qt::blue, 1));
        addSeries(chart, series);
    };
    const Choose lineOf = [](const QList<QPointF>& all, const PixelMapping& pixels) {
        return reduceLinePoints(all, pixels);
    };
    const Choose marksOf = [](const QList<QPointF>& all, const PixelMapping& pixels) {
        return reduceMarkedPoints(all, pixels, false);
    };
    const Style styles[] = {
        {"line", 30'000, line(1), line(1), lineOf},
        {"thick line", 30'000, line(3), line(3), lineOf},
        {"area", 30'000, area, area,
         [](const QList<QPointF>& all, const PixelMapping& pixels) {
             return reduceLinePoints(all, pixels, Below::Filled);
         }},
        {"line with points", 3'000, marked, marked, marksOf},
        {"points", 3'000, scatter, scatter, marksOf},
        {"spline", 3'000, spline, line(1),
         [](const QList<QPointF>& all, const PixelMapping& pixels) {
             return reduceLinePoints(splineAsLine(all, pixels), pixels);
         },
         // Flattened finer than Qt flattens its curves: single pixels along it differ.
         0.01, 0.04},
    };
    for (const Style& style : styles) {
        const QList<QPointF> points = measurements(style.pointCount);
        for (bool antialiased : {false, true}) {
            const QImage all = draw(style.all, points, kAll, antialiased);
            const QImage reduced = draw(style.reduced, points, style.choose, antialiased);
            ASSERT_EQ(all.size(), reduced.size());
            const Difference difference = compare(all, reduced);
            // Without antialiasing only single pixels differ, where Qt's stroker
            // carries a segment's end over a column's edge; with it, many
            // strokes add up where few stand for them.
            if (antialiased)
                EXPECT_LT(difference.average, style.antialiasedAverage) << style.name;
            else
                EXPECT_LT(difference.share, style.aliasedShare) << style.name;
        }
    }
}
