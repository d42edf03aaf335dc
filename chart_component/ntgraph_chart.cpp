#include "ntgraph_chart.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QTimer>
#include <QValueAxis>

namespace {

QColor FromBgr(std::uint32_t color)
{
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

enum Presentation {
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
};

QList<QPointF> StepPoints(const QList<QPointF>& points)
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
QList<QPointF> ImpulsePoints(const QList<QPointF>& points)
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

CNTGraphChart::CNTGraphChart(QWidget* parent)
    : QChartView(parent), m_pAxisX(new QValueAxis), m_pAxisY(new QValueAxis)
{
    setRenderHint(QPainter::Antialiasing);
    QChart* c = chart();
    c->addAxis(m_pAxisX, Qt::AlignBottom);
    c->addAxis(m_pAxisY, Qt::AlignLeft);
    m_pAxisX->setLabelFormat("%g");
    m_pAxisY->setLabelFormat("%g");
    c->legend()->hide();
    ClearGraph();
}

CNTGraphChart::Element& CNTGraphChart::Current()
{
    return m_elements[m_nCurrent];
}

void CNTGraphChart::SetCaption(const QString& caption)
{
    chart()->setTitle(caption);
}

void CNTGraphChart::SetShowGrid(bool show)
{
    m_pAxisX->setGridLineVisible(show);
    m_pAxisY->setGridLineVisible(show);
}

void CNTGraphChart::SetXLabel(const QString& label)
{
    m_pAxisX->setTitleText(label);
}

void CNTGraphChart::SetYLabel(const QString& label)
{
    m_pAxisY->setTitleText(label);
}

void CNTGraphChart::SetPlotAreaColor(std::uint32_t color)
{
    chart()->setPlotAreaBackgroundBrush(FromBgr(color));
    chart()->setPlotAreaBackgroundVisible(true);
}

void CNTGraphChart::SetFrameStyle(int style)
{
    // 0: the chart fills the window; otherwise a raised frame around it.
    setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
}

void CNTGraphChart::SetElement(short element)
{
    if (element >= 0 && static_cast<std::size_t>(element) < m_elements.size())
        m_nCurrent = static_cast<std::size_t>(element);
}

void CNTGraphChart::SetElementLineColor(std::uint32_t color)
{
    Current().lineColor = color;
    ScheduleRebuild();
}

void CNTGraphChart::SetElementPointColor(std::uint32_t color)
{
    Current().pointColor = color;
    ScheduleRebuild();
}

void CNTGraphChart::SetElementLinetype(int presentation)
{
    Current().presentation = presentation >= 0 && presentation < kPresentationCount ? presentation : Line;
    ScheduleRebuild();
}

void CNTGraphChart::SetElementWidth(int width)
{
    Current().width = std::max(width, 1);
    ScheduleRebuild();
}

void CNTGraphChart::SetElementPointSymbol(int symbol)
{
    Current().pointSymbol = std::max(symbol, 0);
    ScheduleRebuild();
}

void CNTGraphChart::SetElementSolidPoint(bool solid)
{
    Current().solidPoint = solid;
    ScheduleRebuild();
}

void CNTGraphChart::SetElementIdentify(bool inLegend)
{
    Current().identify = inLegend;
    ScheduleRebuild();
}

void CNTGraphChart::SetRange(double xFrom, double xTo, double yFrom, double yTo)
{
    m_pAxisX->setRange(xFrom, xTo);
    m_pAxisY->setRange(yFrom, yTo);
    // Five divisions give whole numbers on every range the diagrams use.
    m_pAxisX->setTickCount(6);
    m_pAxisY->setTickCount(6);
}

void CNTGraphChart::AddElement()
{
    m_elements.emplace_back();
    m_nCurrent = m_elements.size() - 1;
    ScheduleRebuild();
}

void CNTGraphChart::ClearGraph()
{
    m_elements.assign(1, Element());
    m_nCurrent = 0;
    ScheduleRebuild();
}

void CNTGraphChart::PlotXY(double x, double y, short element)
{
    if (element < 0 || static_cast<std::size_t>(element) >= m_elements.size())
        return;
    m_elements[static_cast<std::size_t>(element)].points.append(QPointF(x, y));
    ScheduleRebuild();
}

void CNTGraphChart::ScheduleRebuild()
{
    if (m_bRebuildPending)
        return;
    m_bRebuildPending = true;
    QTimer::singleShot(0, this, [this] { Rebuild(); });
}

QList<QAbstractSeries*> CNTGraphChart::DrawnSeries()
{
    if (m_bRebuildPending)
        Rebuild();
    return chart()->series();
}

void CNTGraphChart::Rebuild()
{
    m_bRebuildPending = false;
    chart()->removeAllSeries();
    bool legend = false;
    for (std::size_t i = 0; i < m_elements.size(); ++i) {
        AddSeriesFor(m_elements[i], static_cast<int>(i));
        legend = legend || m_elements[i].identify;
    }
    chart()->legend()->setVisible(legend);
}

void CNTGraphChart::AddSeriesFor(const Element& element, int number)
{
    const QColor lineColor = FromBgr(element.lineColor);
    const QColor pointColor = FromBgr(element.pointColor);
    QPen pen(lineColor, element.width);
    const qreal markerSize = 4.0 + 2.0 * element.pointSymbol;

    QAbstractSeries* series = nullptr;
    switch (element.presentation) {
    case PointsOnly: {
        auto* scatter = new QScatterSeries;
        scatter->append(element.points);
        scatter->setMarkerSize(markerSize);
        scatter->setColor(element.solidPoint ? lineColor : Qt::transparent);
        scatter->setBorderColor(lineColor);
        series = scatter;
        break;
    }
    case Spline: {
        auto* spline = new QSplineSeries;
        spline->append(element.points);
        spline->setPen(pen);
        series = spline;
        break;
    }
    case Area: {
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
        if (element.presentation == Steps)
            line->append(StepPoints(element.points));
        else if (element.presentation == Impulses)
            line->append(ImpulsePoints(element.points));
        else
            line->append(element.points);
        if (element.presentation == ThickLine)
            pen.setWidth(element.width + 2);
        if (element.presentation == DashedLine)
            pen.setStyle(Qt::DashLine);
        line->setPen(pen);
        if (element.presentation == LineWithPoints) {
            line->setPointsVisible(true);
            line->setMarkerSize(markerSize);
        }
        if (element.presentation == LineWithValues) {
            line->setPointLabelsVisible(true);
            line->setPointLabelsFormat("@yPoint");
            line->setPointLabelsColor(pointColor);
            line->setPointLabelsClipping(true);
        }
        series = line;
        break;
    }
    }
    series->setName(QStringLiteral("Element-%1").arg(number));
    chart()->addSeries(series);
    series->attachAxis(m_pAxisX);
    series->attachAxis(m_pAxisY);
}
