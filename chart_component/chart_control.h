#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class QPoint;

class QWidget;

// The chart component's interface: one operation per call the diagram
// window makes, named by what it does. Colours are 0x00BBGGRR. Element
// properties act on the element selected last (by setElement or addElement).
class ChartControl {
public:
    virtual ~ChartControl() = default;

    virtual QWidget* widget() = 0;

    virtual void setCaption(const QString& caption) = 0;
    virtual void setShowGrid(bool show) = 0;
    virtual void setXLabel(const QString& label) = 0;
    virtual void setYLabel(const QString& label) = 0;
    virtual void setPlotAreaColor(std::uint32_t color) = 0;
    virtual void setFrameStyle(int style) = 0;
    virtual void setElement(short element) = 0;

    virtual void setElementLineColor(std::uint32_t color) = 0;
    virtual void setElementPointColor(std::uint32_t color) = 0;
    // One of kPresentationCount styles of drawing the element's points.
    virtual void setElementLinetype(int presentation) = 0;
    virtual void setElementWidth(int width) = 0;
    virtual void setElementPointSymbol(int symbol) = 0;
    virtual void setElementSolidPoint(bool solid) = 0;
    virtual void setElementIdentify(bool inLegend) = 0;

    virtual void setRange(double xFrom, double xTo, double yFrom, double yTo) = 0;
    virtual void addElement() = 0;
    // Leaves one element, number 0, without points.
    virtual void clearGraph() = 0;
    virtual void plotXY(double x, double y, short element) = 0;
    // The x of the element's point drawn nearest to a position of the widget,
    // when one lies within a few pixels of it.
    virtual std::optional<double> pointXNear(const QPoint& position, short element) = 0;
};

inline constexpr int kPresentationCount = 10;

// The component's factory, found by name in the loaded library.
using CreateChartControlFunction = ChartControl* (*)(QWidget* parent);
inline constexpr const char* kCreateNTGraphControlName = "CreateNTGraphControl";
