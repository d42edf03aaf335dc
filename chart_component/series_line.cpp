#include "chart_component/series_line.h"

#include <QChart>
#include <QPainter>

namespace {

// Where Qt Charts puts its series: above the grid, below the legend.
constexpr qreal kSeriesLayer = 5;

} // namespace

SeriesLine::SeriesLine(QChart& chart, QAbstractSeries& series, const QPen& pen)
    : QGraphicsItem(&chart), m_chart(chart), m_series(series), m_pen(pen)
{
    setZValue(kSeriesLayer);
    followPlotArea();
}

void SeriesLine::setPoints(QList<QPointF> points)
{
    m_points = std::move(points);
    followPlotArea();
}

void SeriesLine::followPlotArea()
{
    prepareGeometryChange();
    m_plotArea = m_chart.plotArea();
    // The axes map linearly: two points give the mapping of all.
    const QPointF origin = m_chart.mapToPosition(QPointF(0, 0), &m_series);
    const QPointF unit = m_chart.mapToPosition(QPointF(1, 1), &m_series) - origin;
    m_drawn.resize(m_points.size());
    for (qsizetype i = 0; i < m_points.size(); ++i)
        m_drawn[i] = QPointF(origin.x() + m_points[i].x() * unit.x(), origin.y() + m_points[i].y() * unit.y());
    update();
}

QRectF SeriesLine::boundingRect() const
{
    return m_plotArea;
}

void SeriesLine::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setClipRect(m_plotArea);
    painter->setPen(m_pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(m_drawn);
}
