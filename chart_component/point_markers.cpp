#include "chart_component/point_markers.h"

#include <QChart>
#include <QPainter>

namespace {

// Half a pixel: a point on an edge of the plot area lies within it.
constexpr qreal kEdgeTolerance = 0.5;
// Above every series the chart draws.
constexpr qreal kAboveTheSeries = 100;

} // namespace

PointMarkers::PointMarkers(QChart& chart, QAbstractSeries& series, QList<QPointF> points, qreal diameter, QColor fill,
                           QColor border)
    : QGraphicsItem(&chart), m_chart(chart), m_series(series), m_points(std::move(points)), m_diameter(diameter),
      m_fill(fill), m_border(border)
{
    setZValue(kAboveTheSeries);
    followPlotArea();
}

void PointMarkers::followPlotArea()
{
    prepareGeometryChange();
    const QRectF plot = m_chart.plotArea();
    const qreal reach = m_diameter / 2 + 1;
    m_bounds = plot.adjusted(-reach, -reach, reach, reach);
    const QRectF within = plot.adjusted(-kEdgeTolerance, -kEdgeTolerance, kEdgeTolerance, kEdgeTolerance);
    m_centres.clear();
    for (const QPointF& point : m_points) {
        const QPointF centre = m_chart.mapToPosition(point, &m_series);
        if (within.contains(centre))
            m_centres.append(centre);
    }
    update();
}

QRectF PointMarkers::boundingRect() const
{
    return m_bounds;
}

void PointMarkers::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(m_border);
    painter->setBrush(m_fill);
    const qreal radius = m_diameter / 2;
    for (const QPointF& centre : m_centres)
        painter->drawEllipse(centre, radius, radius);
}
