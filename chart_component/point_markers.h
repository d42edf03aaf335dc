#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QList>
#include <QPointF>

class QAbstractSeries;
class QChart;

// The round markers of a series' points, drawn above the chart. The series'
// own markers are clipped to the plot area, which cuts those on its edges;
// these show whole wherever their point lies within the plot area.
class PointMarkers : public QGraphicsItem {
public:
    // Markers of the diameter in pixels, filled (or hollow with a transparent fill).
    PointMarkers(QChart& chart, QAbstractSeries& series, QList<QPointF> points, qreal diameter, QColor fill,
                 QColor border);

    // To be called when the plot area moved or changed its size: the markers
    // are placed here, not each time they are painted.
    void followPlotArea();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QChart& m_chart;
    QAbstractSeries& m_series;
    QList<QPointF> m_points;
    qreal m_diameter;
    QColor m_fill;
    QColor m_border;
    QRectF m_bounds;
    // Where the markers within the plot area stand, in chart coordinates.
    QList<QPointF> m_centres;
};
