#pragma once

#include "chart_component/chart_control.h"
#include "chart_component/pixel_reduction.h"

#include <QChartView>
#include <QList>
#include <QPointF>

#include <vector>

class QAbstractSeries;
class PointMarkers;
class SeriesLine;
class QGraphicsSimpleTextItem;
class QValueAxis;

// The chart drawn with Qt Charts. Points arrive one call at a time; the
// series are rebuilt once after a burst of calls, not per point, from the
// points that make a difference at the chart's pixels.
class QtChartControl : public QChartView, public ChartControl {
public:
    explicit QtChartControl(QWidget* parent);

    QWidget* widget() override { return this; }
    void setCaption(const QString& caption) override;
    void setShowGrid(bool show) override;
    void setXLabel(const QString& label) override;
    void setYLabel(const QString& label) override;
    void setPlotAreaColor(std::uint32_t color) override;
    void setFrameStyle(int style) override;
    void setElement(short element) override;
    void setElementLineColor(std::uint32_t color) override;
    void setElementPointColor(std::uint32_t color) override;
    void setElementLinetype(int presentation) override;
    void setElementWidth(int width) override;
    void setElementPointSymbol(int symbol) override;
    void setElementSolidPoint(bool solid) override;
    void setElementIdentify(bool inLegend) override;
    void setRange(double xFrom, double xTo, double yFrom, double yTo) override;
    void addElement() override;
    void clearGraph() override;
    void plotXY(double x, double y, short element) override;
    std::optional<double> pointXNear(const QPoint& position, short element) override;

    // The series as drawn now; rebuilds pending changes first.
    QList<QAbstractSeries*> drawnSeries();

private:
    // The element's drawing styles, in the order of their numbers.
    enum class Presentation {
        Line,
        LineWithPoints,
        PointsOnly,
        Steps,
        Spline,
        Area,
        Impulses,
        ThickLine,
        DashedLine,
        LineWithValues,
        // Not one of the styles to choose: how an element added to the first one is drawn.
        LongDashes,
    };
    // How an element is drawn.
    struct ElementStyle {
        std::uint32_t lineColor = 0;
        std::uint32_t pointColor = 0;
        Presentation presentation = Presentation::Line;
        int width = 1;
        int pointSymbol = 0;
        bool solidPoint = true;
        bool identify = false;
        bool operator==(const ElementStyle&) const = default;
    };
    struct Element {
        ElementStyle style;
        QList<QPointF> points;
    };
    // What a series is made with apart from its points.
    struct SeriesStyle {
        ElementStyle element;
        bool flattened = false; // a spline drawn as a line
        bool operator==(const SeriesStyle&) const = default;
    };

    Element& current();
    void scheduleRebuild();
    void rebuild();
    SeriesStyle styleOf(const Element& element) const;
    void addSeriesFor(const SeriesStyle& style, int number);
    // Hands the element's points to its series, or to the line drawn for it.
    void showPoints(std::size_t number, QAbstractSeries& series);
    // The values written beside the points and the markers, placed again when the plot area moves.
    void placeOverlays();

    std::vector<Element> m_elements;
    std::size_t m_current = 0;
    QValueAxis* m_axisX;
    QValueAxis* m_axisY;
    bool m_rebuildPending = false;
    // The pixels the series' points were chosen for.
    PixelMapping m_pixels;
    std::vector<SeriesStyle> m_seriesStyles;
    // Beside each series, the line the component draws for it, if it does.
    std::vector<SeriesLine*> m_lines;
    std::vector<std::pair<QPointF, QGraphicsSimpleTextItem*>> m_valueLabels;
    std::vector<PointMarkers*> m_markers;
};
