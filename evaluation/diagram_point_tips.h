#pragma once

#include "evaluation/diagram_kind.h"

#include <QObject>

class ChartControl;
class TrainingDocument;

// Shows the measurement, date and value of the diagram point under the mouse
// as a tool tip of the chart.
class DiagramPointTips : public QObject {
public:
    DiagramPointTips(const TrainingDocument& doc, DiagramKind kind, ChartControl& chart);

    // The tool tip of measurement n of the current training type.
    QString toolTip(int measurement) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const TrainingDocument& m_doc;
    const DiagramKind m_kind;
    ChartControl& m_chart;
};
