#pragma once

#include <QList>
#include <QPointF>

class QChart;

// Where a chart draws values, in device pixels: pixel = origin + value * scale,
// along x and along y. A line through many more points than the plot has
// pixel columns draws the same picture through far fewer of them; these
// functions choose them. Points are in value coordinates and come back so,
// in their order.
struct PixelMapping {
    double xOrigin = 0;
    double xScale = 0;
    double yOrigin = 0;
    double yScale = 0;

    // The mapping of a chart with one value axis each way, as it is laid out
    // now; invalid while it has no plot area.
    static PixelMapping of(const QChart& chart, double devicePixelRatio);

    bool isValid() const { return xScale > 0; }
    // The device pixel column a value falls in.
    long long column(double x) const;
    long long row(double y) const;
    bool operator==(const PixelMapping&) const = default;
};

// Whether the area below a line is filled: a fill is sampled at the middle
// of each pixel column, where the line must stay as it was.
enum class Below { Empty, Filled };

// Of each run of neighbouring points in one pixel column: the first and the
// last, the lowest and the highest (the M4 reduction), and for a filled area
// the two either side of the column's middle. A line through these draws the
// same pixels as through all of them.
QList<QPointF> reduceLinePoints(const QList<QPointF>& points, const PixelMapping& pixels, Below below = Below::Empty);

// For styles that mark or label every point: of the points of a column run
// that fall on the same pixel (and, with labels, show the same text), the
// first; the first and last of each run stay, so a line through them keeps
// its joins.
QList<QPointF> reduceMarkedPoints(const QList<QPointF>& points, const PixelMapping& pixels, bool labelled);

// The smooth curve through the points that a spline series draws (cubic
// Bezier segments with the usual continuous first and second derivatives),
// as a line whose points lie within a tenth of a pixel of it.
QList<QPointF> splineAsLine(const QList<QPointF>& points, const PixelMapping& pixels);

// The text written beside a point by the style that labels every point.
QString pointLabel(const QPointF& point);
