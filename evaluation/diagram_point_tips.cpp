#include "evaluation/diagram_point_tips.h"

#include "chart_component/chart_control.h"
#include "evaluation/interval_statistics.h"
#include "evaluation/point_tool_tip.h"
#include "records/training_document.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

#include <algorithm>
#include <cmath>

DiagramPointTips::DiagramPointTips(const TrainingDocument& doc, DiagramKind kind, ChartControl& chart)
    : QObject(chart.widget()), m_doc(doc), m_kind(kind), m_chart(chart)
{
    chart.widget()->installEventFilter(this);
    chart.widget()->setMouseTracking(true);
}

QString DiagramPointTips::toolTip(int measurement) const
{
    const TrainingType* type = m_doc.currentTrainingType();
    if (!type || measurement < 1)
        return QString();
    // Only the measurement's own records: a hover stays quick with a million records.
    const auto byMeasurement = [](const IntervalRecord& a, const IntervalRecord& b) {
        return a.m_measurement < b.m_measurement;
    };
    IntervalRecord key;
    key.m_measurement = static_cast<std::uint16_t>(measurement);
    const auto [first, last] = std::equal_range(type->m_records.begin(), type->m_records.end(), key, byMeasurement);
    TrainingType own;
    for (auto record = first; record != last; ++record)
        own.m_records.add(*record);
    const IntervalStatistics statistics(own, m_doc.settings().m_timeFilter);
    const std::int64_t value = statistics.measurementCount() == measurement ? statistics.value(m_kind, measurement) : 0;
    return QString::fromStdString(pointToolTip(m_kind, measurement, measurementDate(*type, measurement), value));
}

bool DiagramPointTips::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    auto* help = static_cast<QHelpEvent*>(event);
    const std::optional<double> x = m_chart.pointXNear(help->pos(), 0);
    const int measurement = x ? static_cast<int>(std::lround(*x)) : 0;
    const QString text = toolTip(measurement);
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, m_chart.widget());
    return true;
}
