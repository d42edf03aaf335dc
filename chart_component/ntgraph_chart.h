#pragma once

#include "ntgraph_control.h"

#include <QChartView>
#include <QList>
#include <QPointF>

#include <vector>

class QAbstractSeries;
class QValueAxis;

// The chart drawn with Qt Charts. Points arrive one call at a time; the
// series are rebuilt once after a burst of calls, not per point.
class CNTGraphChart : public QChartView, public INTGraphControl {
public:
    explicit CNTGraphChart(QWidget* parent);

    QWidget* GetWidget() override { return this; }
    void SetCaption(const QString& caption) override;
    void SetShowGrid(bool show) override;
    void SetXLabel(const QString& label) override;
    void SetYLabel(const QString& label) override;
    void SetPlotAreaColor(std::uint32_t color) override;
    void SetFrameStyle(int style) override;
    void SetElement(short element) override;
    void SetElementLineColor(std::uint32_t color) override;
    void SetElementPointColor(std::uint32_t color) override;
    void SetElementLinetype(int presentation) override;
    void SetElementWidth(int width) override;
    void SetElementPointSymbol(int symbol) override;
    void SetElementSolidPoint(bool solid) override;
    void SetElementIdentify(bool inLegend) override;
    void SetRange(double xFrom, double xTo, double yFrom, double yTo) override;
    void AddElement() override;
    void ClearGraph() override;
    void PlotXY(double x, double y, short element) override;

    // The series as drawn now; rebuilds pending changes first.
    QList<QAbstractSeries*> DrawnSeries();

private:
    struct Element {
        std::uint32_t lineColor = 0;
        std::uint32_t pointColor = 0;
        int presentation = 0;
        int width = 1;
        int pointSymbol = 0;
        bool solidPoint = true;
        bool identify = false;
        QList<QPointF> points;
    };

    Element& Current();
    void ScheduleRebuild();
    void Rebuild();
    void AddSeriesFor(const Element& element, int number);

    std::vector<Element> m_elements;
    std::size_t m_nCurrent = 0;
    QValueAxis* m_pAxisX;
    QValueAxis* m_pAxisY;
    bool m_bRebuildPending = false;
};
