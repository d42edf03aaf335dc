#pragma once

#include <QString>

#include <cstdint>

class QWidget;

// The chart component's interface: one operation per call the diagram
// window makes, named by what it does. Colours are 0x00BBGGRR. Element
// properties act on the element selected last (by SetElement or AddElement).
class INTGraphControl {
public:
    virtual ~INTGraphControl() = default;

    virtual QWidget* GetWidget() = 0;

    virtual void SetCaption(const QString& caption) = 0;
    virtual void SetShowGrid(bool show) = 0;
    virtual void SetXLabel(const QString& label) = 0;
    virtual void SetYLabel(const QString& label) = 0;
    virtual void SetPlotAreaColor(std::uint32_t color) = 0;
    virtual void SetFrameStyle(int style) = 0;
    virtual void SetElement(short element) = 0;

    virtual void SetElementLineColor(std::uint32_t color) = 0;
    virtual void SetElementPointColor(std::uint32_t color) = 0;
    // One of kPresentationCount styles of drawing the element's points.
    virtual void SetElementLinetype(int presentation) = 0;
    virtual void SetElementWidth(int width) = 0;
    virtual void SetElementPointSymbol(int symbol) = 0;
    virtual void SetElementSolidPoint(bool solid) = 0;
    virtual void SetElementIdentify(bool inLegend) = 0;

    virtual void SetRange(double xFrom, double xTo, double yFrom, double yTo) = 0;
    virtual void AddElement() = 0;
    // Leaves one element, number 0, without points.
    virtual void ClearGraph() = 0;
    virtual void PlotXY(double x, double y, short element) = 0;
};

inline constexpr int kPresentationCount = 10;

// The component's factory, found by name in the loaded library.
using CreateNTGraphControlFunction = INTGraphControl* (*)(QWidget* parent);
inline constexpr const char* kCreateNTGraphControlName = "CreateNTGraphControl";
