#pragma once

#include <QPoint>
#include <QRect>

#include <cstdint>

class QBrush;
class QFont;
class QPainter;
class QPen;
class QString;

// Edges of a rectangle in device units, right and bottom exclusive.
struct DeviceRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static DeviceRect FromQRect(const QRect& rect) { return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()}; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// Draws one diagram page in device units of the printer, y growing
// downwards: title, footer, captions, axes, scales and the value line. Each
// operation leaves the painter's pen, brush and font as it found them.
class CDiagrammPrinter {
public:
    CDiagrammPrinter(const DeviceRect& diagram, QPainter& painter);
    virtual ~CDiagrammPrinter() = default;

    void DrawTitle(const QFont& font, const QString& text);
    void DrawFooter(const QFont& font, const QString& text);
    void DrawYCaption(const QFont& font, const QString& text);
    void DrawXCaption(const QFont& font, const QString& text);
    void DrawAxes(const QPen& pen);
    void DrawXScale(int count, const QPen& pen, const QFont& font);
    void DrawYScaleMinutes(std::int64_t largestSeconds, const QPen& pen, const QFont& font);
    void DrawYScalePercent(const QPen& pen, const QFont& font);
    void DrawSegment(int measurement, std::int64_t value, const QPen& pen, const QBrush& brush);

    const DeviceRect& PlotArea() const { return m_rectPlot; }
    QPoint LastPoint() const { return m_ptLast; }

private:
    enum HAlign { Left, Centre, Right };
    enum VAlign { Top, Bottom };
    // The reference point is the left, centre or right of the text and the
    // top or bottom of its line cell.
    void DrawAligned(const QFont& font, const QString& text, int x, int y, HAlign h, VAlign v);
    void DrawLine(const QPen& pen, int x1, int y1, int x2, int y2);
    int LineHeight(const QFont& font) const;
    int TickLength(const QFont& font) const;

    QPainter& m_painter;
    const DeviceRect m_rectArea;
    DeviceRect m_rectPlot;
    int m_nXCount = 0;
    int m_nLineHeight = 0;
    std::int64_t m_nYMaxSeconds = 0;
    QPoint m_ptLast{-1, -1};
};
