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

    static DeviceRect fromQRect(const QRect& rect)
    {
        return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
    }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

// Draws one diagram page in device units of the printer, y growing
// downwards: title, footer, captions, axes, scales and the value line. Each
// operation leaves the painter's pen, brush and font as it found them.
class DiagramPagePainter {
public:
    DiagramPagePainter(const DeviceRect& diagram, QPainter& painter);
    virtual ~DiagramPagePainter() = default;

    void drawTitle(const QFont& font, const QString& text);
    void drawFooter(const QFont& font, const QString& text);
    void drawYCaption(const QFont& font, const QString& text);
    void drawXCaption(const QFont& font, const QString& text);
    void drawAxes(const QPen& pen);
    void drawXScale(int count, const QPen& pen, const QFont& font);
    void drawYScaleMinutes(std::int64_t largestSeconds, const QPen& pen, const QFont& font);
    void drawYScalePercent(const QPen& pen, const QFont& font);
    void drawSegment(int measurement, std::int64_t value, const QPen& pen, const QBrush& brush);

    const DeviceRect& plotArea() const { return m_plotRect; }
    QPoint lastPoint() const { return m_lastPoint; }

private:
    enum class HAlign { Left, Centre, Right };
    enum class VAlign { Top, Bottom };
    // The reference point is the left, centre or right of the text and the
    // top or bottom of its line cell.
    void drawAligned(const QFont& font, const QString& text, int x, int y, HAlign h, VAlign v);
    void drawLine(const QPen& pen, int x1, int y1, int x2, int y2);
    int lineHeight(const QFont& font) const;
    int tickLength(const QFont& font) const;

    QPainter& m_painter;
    const DeviceRect m_areaRect;
    DeviceRect m_plotRect;
    int m_xCount = 0;
    int m_lineHeight = 0;
    std::int64_t m_yMaxSeconds = 0;
    QPoint m_lastPoint{-1, -1};
};
