#include "chart_component/qt_chart_control.h"

#include "chart_component/point_markers.h"

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
    c->legend()->hide();
    connect(c, &QChart::plotAreaChanged, this, [this] { placeOverlays(); });
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
    current().lineColor = color;
    scheduleRebuild();
}

void QtChartControl::setElementPointColor(std::uint32_t color)
{
    current().pointColor = color;
    scheduleRebuild();
}

void QtChartControl::setElementLinetype(int presentation)
{
    current().presentation =
        presentation >= 0 && presentation < kPresentationCount ? Presentation(presentation) : Presentation::Line;
    scheduleRebuild();
}

void QtChartControl::setElementWidth(int width)
{
    current().width = std::max(width, 1);
    scheduleRebuild();
}

void QtChartControl::setElementPointSymbol(int symbol)
{
    current().pointSymbol = std::max(symbol, 0);
    scheduleRebuild();
}

void QtChartControl::setElementSolidPoint(bool solid)
{
    current().solidPoint = solid;
    scheduleRebuild();
}

void QtChartControl::setElementIdentify(bool inLegend)
{
    current().identify = inLegend;
    scheduleRebuild();
}

void QtChartControl::setRange(double xFrom, double xTo, double yFrom, double yTo)
{
    m_axisX->setRange(xFrom, xTo);
    m_axisY->setRange(yFrom, yTo);
    // Five divisions give whole numbers on every range the diagrams use.
    m_axisX->setTickCount(6);
    m_axisY->setTickCount(6);
}

void QtChartControl::addElement()
{
    // In long dashes it stands apart from the first element whatever their colours and that one's style.
    m_elements.emplace_back().presentation = Presentation::LongDashes;
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
    chart()->removeAllSeries();
    bool legend = false;
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        addSeriesFor(m_elements[i], static_cast<int>(i));
        legend = legend || m_elements[i].identify;
    }
    chart()->legend()->setVisible(legend);
    placeOverlays();
}

void QtChartControl::addSeriesFor(const Element& element, int number)
{
    const QColor lineColor = fromBgr(element.lineColor);
    const QColor pointColor = fromBgr(element.pointColor);
    QPen pen(lineColor, element.width);
    const qreal markerSize = 4.0 + 2.0 * element.pointSymbol;
    // Drawn by a layer of their own (PointMarkers), so that none is cut at the plot area's edges.
    qreal markerDiameter = 0;

    QAbstractSeries* series = nullptr;
    switch (element.presentation) {
    case Presentation::PointsOnly: {
        // The series places the points; the markers layer shows them.
        auto* scatter = new QScatterSeries;
        scatter->append(element.points);
        scatter->setMarkerSize(markerSize);
        scatter->setColor(Qt::transparent);
        scatter->setBorderColor(Qt::transparent);
        markerDiameter = markerSize;
        series = scatter;
        break;
    }
    case Presentation::Spline: {
        auto* spline = new QSplineSeries;
        spline->append(element.points);
        spline->setPen(pen);
        series = spline;
        break;
    }
    case Presentation::Area: {
        auto* upper = new QLineSeries;
        upper->append(element.points);
        auto* area = new QAreaSeries(upper);
        QColor fill = lineColor;
        fill.setAlpha(90);
        area->setBrush(fill);
        area->setPen(pen);
        series = area;
        break;
    }
    default: {
        auto* line = new QLineSeries;
        if (element.presentation == Presentation::Steps)
            line->append(stepPoints(element.points));
        else if (element.presentation == Presentation::Impulses)
            line->append(impulsePoints(element.points));
        else
            line->append(element.points);
        if (element.presentation == Presentation::ThickLine)
            pen.setWidth(element.width + 2);
        if (element.presentation == Presentation::DashedLine)
            pen.setStyle(Qt::DashLine);
        if (element.presentation == Presentation::LongDashes)
            pen.setDashPattern({8, 4}); // twice the dashes of the dashed style
        line->setPen(pen);
        if (element.presentation == Presentation::LineWithPoints)
            markerDiameter = 2 * markerSize;
        if (element.presentation == Presentation::LineWithValues) {
            // Qt's own point labels print every decimal of the value; these round to one.
            for (const QPointF& point : element.points) {
                auto* label = new QGraphicsSimpleTextItem(QString::number(point.y(), 'f', 1), chart());
                label->setBrush(pointColor);
                m_valueLabels.emplace_back(point, label);
            }
        }
        series = line;
        break;
    }
    }
    series->setName(QStringLiteral("Element-%1").arg(number));
    chart()->addSeries(series);
    series->attachAxis(m_axisX);
    series->attachAxis(m_axisY);
    if (markerDiameter > 0)
        m_markers.push_back(new PointMarkers(*chart(), *series, element.points, markerDiameter,
                                             element.solidPoint ? lineColor : QColor(Qt::transparent), lineColor));
}
