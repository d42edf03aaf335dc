#include "chart_component/qt_chart_control.h"

#include "chart_component/pixel_reduction.h"
#include "chart_component/point_markers.h"
#include "chart_component/series_line.h"

#include <QAreaSeries>
#include <QChart>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QTimer>
#include <QValueAxis>

namespace {

QColor fromBgr(std::uint32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QList<QPointF> stepPoints(const QList<QPointF>& points)
{
    QList<QPointF> steps;
    steps.reserve(points.size() * 2);
    for (qsizetype i = 0; i < points.size(); ++i) {
        if (i > 0)
            steps.append(QPointF(points[i].x(), points[i - 1].y()));
        steps.append(points[i]);
    }
    return steps;
}

// Vertical strokes from the x axis up to every point.
QList<QPointF> impulsePoints(const QList<QPointF>& points)
{
    QList<QPointF> strokes;
    strokes.reserve(points.size() * 3);
    for (const QPointF& p : points) {
        strokes.append(QPointF(p.x(), 0));
        strokes.append(p);
        strokes.append(QPointF(p.x(), 0));
    }
    return strokes;
}

} // namespace

QtChartControl::QtChartControl(QWidget* parent) : QChartView(parent), m_axisX(new QValueAxis), m_axisY(new QValueAxis)
{
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->addAxis(m_axisX, Qt::AlignBottom);
    c->addAxis(m_axisY, Qt::AlignLeft);
    m_axisX->setLabelFormat("%g");
    m_axisY->setLabelFormat("%g");
    // Five divisions give whole numbers on every range the diagrams use.
    m_axisX->setTickCount(6);
    m_axisY->setTickCount(6);
    c->legend()->hide();
    connect(c, &QChart::plotAreaChanged, this, [this] {
        placeOverlays();
        // The points handed to the series were chosen for the pixels as they were.
        if (PixelMapping::of(*chart(), devicePixelRatioF()) != m_pixels)
            scheduleRebuild();
    });
    clearGraph();
}

std::optional<double> QtChartControl::pointXNear(const QPoint& position, short element)
{
    constexpr qreal kReach = 8.0;
    if (m_rebuildPending)
        rebuild();
    if (element < 0 || static_cast<std::size_t>(element) >= m_elements.size() || chart()->series().isEmpty())
        return std::nullopt;
    QAbstractSeries* series = chart()->series().value(element);
    const QPointF scenePosition = mapToScene(position);
    std::optional<double> nearest;
    qreal nearestDistance = kReach * kReach;
    for (const QPointF& point : m_elements[static_cast<std::size_t>(element)].points) {
        const QPointF drawn = chart()->mapToPosition(point, series);
        const QPointF offset = drawn - scenePosition;
        const qreal distance = QPointF::dotProduct(offset, offset);
        if (distance <= nearestDistance) {
            nearestDistance = distance;
            nearest = point.x();
        }
    }
    return nearest;
}

void QtChartControl::placeOverlays()
{
    for (SeriesLine* line : m_lines)
        if (line)
            line->followPlotArea();
    for (PointMarkers* markers : m_markers)
        markers->followPlotArea();
    QAbstractSeries* series = chart()->series().value(0);
    if (!series)
        return;
    for (auto& [point, label] : m_valueLabels) {
        const QPointF drawn = chart()->mapToPosition(point, series);
        const QRectF box = label->boundingRect();
        label->setPos(drawn.x() - box.width() / 2, drawn.y() - box.height() - 2);
        label->setVisible(chart()->plotArea().adjusted(-1, -box.height() - 4, 1, 1).contains(drawn));
    }
}

QtChartControl::Element& QtChartControl::current()
{
    return m_elements[m_current];
}

void QtChartControl::setCaption(const QString& caption)
{
    // A new title lays the whole chart out again, axes and labels.
    if (chart()->title() != caption)
        chart()->setTitle(caption);
}

void QtChartControl::setShowGrid(bool show)
{
    m_axisX->setGridLineVisible(show);
    m_axisY->setGridLineVisible(show);
}

void QtChartControl::setXLabel(const QString& label)
{
    m_axisX->setTitleText(label);
}

void QtChartControl::setYLabel(const QString& label)
{
    m_axisY->setTitleText(label);
}

void QtChartControl::setPlotAreaColor(std::uint32_t color)
{
    chart()->setPlotAreaBackgroundBrush(fromBgr(color));
    chart()->setPlotAreaBackgroundVisible(true);
}

void QtChartControl::setFrameStyle(int style)
{
    // 0: the chart fills the window; otherwise a raised frame around it.
    setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
}

void QtChartControl::setElement(short element)
{
    if (element >= 0 && static_cast<std::size_t>(element) < m_elements.size())
        m_current = static_cast<std::size_t>(element);
}

void QtChartControl::setElementLineColor(std::uint32_t color)
{
    current().style.lineColor = color;
    scheduleRebuild();
}

void QtChartControl::setElementPointColor(std::uint32_t color)
{
    current().style.pointColor = color;
    scheduleRebuild();
}

void QtChartControl::setElementLinetype(int presentation)
{
    current().style.presentation =
        presentation >= 0 && presentation < kPresentationCount ? Presentation(presentation) : Presentation::Line;
    scheduleRebuild();
}

void QtChartControl::setElementWidth(int width)
{
    current().style.width = std::max(width, 1);
    scheduleRebuild();
}

void QtChartControl::setElementPointSymbol(int symbol)
{
    current().style.pointSymbol = std::max(symbol, 0);
    scheduleRebuild();
}

void QtChartControl::setElementSolidPoint(bool solid)
{
    current().style.solidPoint = solid;
    scheduleRebuild();
}

void QtChartControl::setElementIdentify(bool inLegend)
{
    current().style.identify = inLegend;
    scheduleRebuild();
}

void QtChartControl::setRange(double xFrom, double xTo, double yFrom, double yTo)
{
    m_axisX->setRange(xFrom, xTo);
    m_axisY->setRange(yFrom, yTo);
    // The points were chosen, and the markers and labels placed, for the range as it was.
    scheduleRebuild();
}

void QtChartControl::addElement()
{
    // In long dashes it stands apart from the first element whatever their colours and that one's style.
    m_elements.emplace_back().style.presentation = Presentation::LongDashes;
    m_current = m_elements.size() - 1;
    scheduleRebuild();
}

void QtChartControl::clearGraph()
{
    m_elements.assign(1, Element());
    m_current = 0;
    scheduleRebuild();
}

void QtChartControl::plotXY(double x, double y, short element)
{
    if (element < 0 || static_cast<std::size_t>(element) >= m_elements.size())
        return;
    m_elements[static_cast<std::size_t>(element)].points.append(QPointF(x, y));
    scheduleRebuild();
}

void QtChartControl::scheduleRebuild()
{
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] { rebuild(); });
}

QList<QAbstractSeries*> QtChartControl::drawnSeries()
{
    if (m_rebuildPending)
        rebuild();
    return chart()->series();
}

void QtChartControl::rebuild()
{
    m_rebuildPending = false;
    for (auto& entry : m_valueLabels)
        delete entry.second;
    m_valueLabels.clear();
    for (PointMarkers* markers : m_markers)
        delete markers;
    m_markers.clear();
    m_pixels = PixelMapping::of(*chart(), devicePixelRatioF());
    // The series stay while their styles do: new points cost Qt Charts far
    // less than new series.
    std::vector<SeriesStyle> styles;
    for (Element& element : m_elements) {
        // Kept for hovering and for other pixels: no room beyond the points.
        element.points.squeeze();
        styles.push_back(styleOf(element));
    }
    if (styles != m_seriesStyles) {
        for (SeriesLine* line : m_lines)
            delete line;
        m_lines.clear();
        chart()->removeAllSeries();
        for (std::size_t i = 0; i < m_elements.size(); ++i)
            addSeriesFor(styles[i], static_cast<int>(i));
        m_seriesStyles = std::move(styles);
    }
    const QList<QAbstractSeries*> series = chart()->series();
    bool legend = false;
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        showPoints(i, *series[static_cast<qsizetype>(i)]);
        legend = legend || m_elements[i].style.identify;
    }
    chart()->legend()->setVisible(legend);
    placeOverlays();
}

QtChartControl::SeriesStyle QtChartControl::styleOf(const Element& element) const
{
    // A spline through more points than pixel columns is drawn as the line it flattens into.
    const bool flattened = element.style.presentation == Presentation::Spline && m_pixels.isValid() &&
                           element.points.size() > chart()->plotArea().width() * devicePixelRatioF();
    return {element.style, flattened};
}

void QtChartControl::addSeriesFor(const SeriesStyle& series, int number)
{
    const ElementStyle& style = series.element;
    const QColor lineColor = fromBgr(style.lineColor);
    QPen pen(lineColor, style.width);
    const qreal markerSize = 4.0 + 2.0 * style.pointSymbol;

    QAbstractSeries* made = nullptr;
    switch (style.presentation) {
    case Presentation::PointsOnly: {
        // The series places the points; the markers layer shows them.
        auto* scatter = new QScatterSeries;
        scatter->setMarkerSize(markerSize);
        scatter->setColor(Qt::transparent);
        scatter->setBorderColor(Qt::transparent);
        made = scatter;
        break;
    }
    case Presentation::Area: {
        auto* area = new QAreaSeries(new QLineSeries);
        QColor fill = lineColor;
        fill.setAlpha(90);
        area->setBrush(fill);
        area->setPen(pen);
        made = area;
        break;
    }
    default: {
        const bool curved = style.presentation == Presentation::Spline && !series.flattened;
        auto* line = curved ? new QSplineSeries : new QLineSeries;
        if (style.presentation == Presentation::ThickLine)
            pen.setWidth(style.width + 2);
        if (style.presentation == Presentation::DashedLine)
            pen.setStyle(Qt::DashLine);
        if (style.presentation == Presentation::LongDashes)
            pen.setDashPattern({8, 4}); // twice the dashes of the dashed style
        // The series' pen gives the legend its look; a straight line is drawn by the component.
        line->setPen(pen);
        made = line;
        break;
    }
    }
    made->setName(QStringLiteral("Element-%1").arg(number));
    // The axes come first, so that the points are laid out once.
    chart()->addSeries(made);
    made->attachAxis(m_axisX);
    made->attachAxis(m_axisY);
    m_lines.push_back(made->type() == QAbstractSeries::SeriesTypeLine
                          ? new SeriesLine(*chart(), *made, static_cast<QLineSeries*>(made)->pen())
                          : nullptr);
}

void QtChartControl::showPoints(std::size_t number, QAbstractSeries& series)
{
    const Element& element = m_elements[number];
    const bool flattened = m_seriesStyles[number].flattened;
    // Each series gets the points that draw the same picture at the chart's
    // pixels as all of them would: thousands of points per pixel column cost
    // the drawing as much as one.
    QList<QPointF> shown;
    switch (element.style.presentation) {
    case Presentation::PointsOnly:
    case Presentation::LineWithPoints: shown = reduceMarkedPoints(element.points, m_pixels, false); break;
    case Presentation::LineWithValues: shown = reduceMarkedPoints(element.points, m_pixels, true); break;
    case Presentation::Steps: shown = reduceLinePoints(stepPoints(element.points), m_pixels); break;
    case Presentation::Impulses: shown = reduceLinePoints(impulsePoints(element.points), m_pixels); break;
    // The dashes follow the whole line's length.
    case Presentation::DashedLine:
    case Presentation::LongDashes: shown = element.points; break;
    case Presentation::Spline:
        shown = flattened ? reduceLinePoints(splineAsLine(element.points, m_pixels), m_pixels) : element.points;
        break;
    case Presentation::Area: shown = reduceLinePoints(element.points, m_pixels, Below::Filled); break;
    default: shown = reduceLinePoints(element.points, m_pixels); break;
    }
    if (element.style.presentation == Presentation::LineWithValues) {
        // Qt's own point labels print every decimal of the value; these round to one.
        for (const QPointF& point : shown) {
            auto* label = new QGraphicsSimpleTextItem(pointLabel(point), chart());
            label->setBrush(fromBgr(element.style.pointColor));
            m_valueLabels.emplace_back(point, label);
        }
    }
    if (SeriesLine* line = m_lines[number]) {
        if (line->points() != shown)
            line->setPoints(shown);
    } else {
        auto* area = qobject_cast<QAreaSeries*>(&series);
        auto* points = area ? area->upperSeries() : static_cast<QXYSeries*>(&series);
        if (points->points() != shown)
            points->replace(shown);
    }
    // Drawn by a layer of their own, so that none is cut at the plot area's edges.
    const ElementStyle& style = element.style;
    const qreal markerSize = 4.0 + 2.0 * style.pointSymbol;
    const qreal diameter = style.presentation == Presentation::PointsOnly       ? markerSize
                           : style.presentation == Presentation::LineWithPoints ? 2 * markerSize
                                                                                : 0;
    if (diameter > 0) {
        const QColor lineColor = fromBgr(style.lineColor);
        m_markers.push_back(new PointMarkers(*chart(), series, shown, diameter,
                                             style.solidPoint ? lineColor : QColor(Qt::transparent), lineColor));
    }
}
