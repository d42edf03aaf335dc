#pragma once

#include <QGraphicsItem>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QPolygonF>

class QAbstractSeries;
class QChart;

// A series' line, drawn by the component as one polyline. Qt Charts' own
// line strokes an outline around all its points for hit-testing whenever
// they change and draws each segment on its own: milliseconds per diagram of
// a few thousand points. The series stays empty and gives the axes; the line
// is placed through them and clipped to the plot area like the series' own.
class SeriesLine : public QGraphicsItem {
public:
    // The item's kind, for qgraphicsitem_cast.
    enum { Type = UserType + 1 };

    SeriesLine(QChart& chart, QAbstractSeries& series, const QPen& pen);

    void setPoints(QList<QPointF> points);
    const QList<QPointF>& points() const { return m_points; }
    const QPen& pen() const { return m_pen; }

    // To be called when the plot area or the axes' ranges changed.
    void followPlotArea();

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QChart& m_chart;
    QAbstractSeries& m_series;
    QPen m_pen;
    QList<QPointF> m_points;
    QRectF m_plotArea;
    // The points in chart coordinates.
    QPolygonF m_drawn;
};
