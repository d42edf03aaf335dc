#include "chart_component/pixel_reduction.h"

#include <QChart>
#include <QString>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace {

// Each run of neighbouring points in one pixel column, [first, last], keeps
// the points whose indexes `keep` gives, in their order, which it may repeat.
template <typename Keep>
QList<QPointF> reduceRuns(const QList<QPointF>& points, const PixelMapping& pixels, Keep&& keep)
{
    QList<QPointF> kept;
    std::vector<qsizetype> chosen;
    for (qsizetype first = 0; first < points.size();) {
        const long long column = pixels.column(points[first].x());
        qsizetype last = first;
        while (last + 1 < points.size() && pixels.column(points[last + 1].x()) == column)
            ++last;
        chosen.clear();
        keep(first, last, column, chosen);
        for (qsizetype index : chosen)
            kept.append(points[index]);
        first = last + 1;
    }
    return kept;
}

void sortOut(std::vector<qsizetype>& indexes)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
}

// From this many points a run's line crosses its column up and down often
// enough that antialiased strokes add up to a solid colour.
constexpr qsizetype kDenseRun = 8;

// The first control points of the Bezier segments of a spline through
// values v0..vn along one axis: the tridiagonal system that makes first and
// second derivatives continuous, with natural ends, solved by elimination.
std::vector<double> firstControlValues(const std::vector<double>& values)
{
    const std::size_t n = values.size() - 1;
    std::vector<double> right(n);
    right[0] = values[0] + 2 * values[1];
    for (std::size_t i = 1; i + 1 < n; ++i)
        right[i] = 4 * values[i] + 2 * values[i + 1];
    right[n - 1] = (8 * values[n - 1] + values[n]) / 2.0;

    std::vector<double> result(n);
    std::vector<double> factor(n);
    double diagonal = 2.0;
    result[0] = right[0] / diagonal;
    for (std::size_t i = 1; i < n; ++i) {
        factor[i] = 1 / diagonal;
        diagonal = (i + 1 < n ? 4.0 : 3.5) - factor[i];
        result[i] = (right[i] - result[i - 1]) / diagonal;
    }
    for (std::size_t i = n - 1; i > 0; --i)
        result[i - 1] -= factor[i] * result[i];
    return result;
}

QPointF cubicAt(const QPointF& p0, const QPointF& c1, const QPointF& c2, const QPointF& p1, double t)
{
    const double u = 1 - t;
    return u * u * u * p0 + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * p1;
}

} // namespace

PixelMapping PixelMapping::of(const QChart& chart, double devicePixelRatio)
{
    const QList<QAbstractAxis*> horizontal = chart.axes(Qt::Horizontal);
    const QList<QAbstractAxis*> vertical = chart.axes(Qt::Vertical);
    const auto* xAxis = horizontal.isEmpty() ? nullptr : qobject_cast<const QValueAxis*>(horizontal.first());
    const auto* yAxis = vertical.isEmpty() ? nullptr : qobject_cast<const QValueAxis*>(vertical.first());
    const QRectF plot = chart.plotArea();
    PixelMapping mapping;
    if (!xAxis || !yAxis || plot.isEmpty() || xAxis->max() <= xAxis->min() || yAxis->max() <= yAxis->min())
        return mapping;
    // As the chart maps values into its plot area, in scene coordinates, which the view shows unscaled.
    const double xStep = plot.width() / (xAxis->max() - xAxis->min());
    const double yStep = plot.height() / (yAxis->max() - yAxis->min());
    mapping.xScale = xStep * devicePixelRatio;
    mapping.xOrigin = (plot.left() - xAxis->min() * xStep) * devicePixelRatio;
    mapping.yScale = -yStep * devicePixelRatio;
    mapping.yOrigin = (plot.bottom() + yAxis->min() * yStep) * devicePixelRatio;
    return mapping;
}

long long PixelMapping::column(double x) const
{
    return static_cast<long long>(std::floor(xOrigin + x * xScale));
}

long long PixelMapping::row(double y) const
{
    return static_cast<long long>(std::floor(yOrigin + y * yScale));
}

QList<QPointF> reduceLinePoints(const QList<QPointF>& points, const PixelMapping& pixels, Below below)
{
    if (!pixels.isValid())
        return points;
    return reduceRuns(points, pixels, [&](qsizetype first, qsizetype last, long long column, auto& chosen) {
        qsizetype lowest = first;
        qsizetype highest = first;
        for (qsizetype i = first + 1; i <= last; ++i) {
            if (points[i].y() < points[lowest].y())
                lowest = i;
            if (points[i].y() > points[highest].y())
                highest = i;
        }
        chosen.insert(chosen.end(), {first, lowest, highest, last});
        if (below == Below::Filled) {
            const double middle = static_cast<double>(column) + 0.5;
            for (qsizetype i = first; i < last; ++i) {
                if (pixels.xOrigin + points[i].x() * pixels.xScale < middle &&
                    pixels.xOrigin + points[i + 1].x() * pixels.xScale >= middle) {
                    chosen.push_back(i);
                    chosen.push_back(i + 1);
                    break;
                }
            }
        }
        sortOut(chosen);
        // A dense run drawn with antialiasing is as solid as its many
        // strokes: its extremes are joined twice more, which changes no pixel
        // drawn without.
        if (below == Below::Empty && last - first + 1 >= kDenseRun && lowest != highest) {
            const auto [early, late] = std::minmax(lowest, highest);
            const auto after = std::find(chosen.begin(), chosen.end(), late) + 1;
            chosen.insert(after, {early, late, early, late});
        }
    });
}

QList<QPointF> reduceMarkedPoints(const QList<QPointF>& points, const PixelMapping& pixels, bool labelled)
{
    if (!pixels.isValid())
        return points;
    std::vector<std::tuple<long long, QString, qsizetype>> marks;
    return reduceRuns(points, pixels, [&](qsizetype first, qsizetype last, long long, auto& chosen) {
        marks.clear();
        for (qsizetype i = first; i <= last; ++i)
            marks.emplace_back(pixels.row(points[i].y()), labelled ? pointLabel(points[i]) : QString(), i);
        // Sorted by place and text, then by position: the first of each place comes first.
        std::sort(marks.begin(), marks.end());
        for (std::size_t m = 0; m < marks.size(); ++m) {
            if (m == 0 || std::get<0>(marks[m]) != std::get<0>(marks[m - 1]) ||
                std::get<1>(marks[m]) != std::get<1>(marks[m - 1]))
                chosen.push_back(std::get<2>(marks[m]));
        }
        chosen.push_back(last);
        sortOut(chosen);
    });
}

QList<QPointF> splineAsLine(const QList<QPointF>& points, const PixelMapping& pixels)
{
    if (points.size() < 3 || !pixels.isValid())
        return points;
    std::vector<double> xs(static_cast<std::size_t>(points.size()));
    std::vector<double> ys(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        xs[i] = points[static_cast<qsizetype>(i)].x();
        ys[i] = points[static_cast<qsizetype>(i)].y();
    }
    const std::vector<double> firstX = firstControlValues(xs);
    const std::vector<double> firstY = firstControlValues(ys);
    const std::size_t n = xs.size() - 1;
    const auto inPixels = [&](const QPointF& p) { return QPointF(p.x() * pixels.xScale, p.y() * pixels.yScale); };

    QList<QPointF> line;
    line.append(points.first());
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF p0 = points[static_cast<qsizetype>(i)];
        const QPointF p1 = points[static_cast<qsizetype>(i + 1)];
        const QPointF c1(firstX[i], firstY[i]);
        const QPointF c2 = i + 1 < n ? QPointF(2 * xs[i + 1] - firstX[i + 1], 2 * ys[i + 1] - firstY[i + 1])
                                     : QPointF((xs[n] + firstX[n - 1]) / 2, (ys[n] + firstY[n - 1]) / 2);
        // A polyline of k pieces strays from a cubic by at most 3/4 of its
        // largest second difference divided by k squared.
        const QPointF bend1 = inPixels(p0 - 2 * c1 + c2);
        const QPointF bend2 = inPixels(c1 - 2 * c2 + p1);
        const double bend = std::max(std::hypot(bend1.x(), bend1.y()), std::hypot(bend2.x(), bend2.y()));
        constexpr double kTolerance = 0.1;
        const int pieces = std::clamp(static_cast<int>(std::ceil(std::sqrt(0.75 * bend / kTolerance))), 1, 1000);
        for (int k = 1; k < pieces; ++k)
            line.append(cubicAt(p0, c1, c2, p1, static_cast<double>(k) / pieces));
        line.append(p1);
    }
    return line;
}

QString pointLabel(const QPointF& point)
{
    return QString::number(point.y(), 'f', 1);
}
