#include "evaluation/diagram_page_painter.h"

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

namespace {

// Restores the painter's tools when a drawing operation ends.
class SavedTools {
public:
    explicit SavedTools(QPainter& painter)
        : m_painter(painter), m_pen(painter.pen()), m_brush(painter.brush()), m_font(painter.font())
    {
    }
    ~SavedTools()
    {
        m_painter.setPen(m_pen);
        m_painter.setBrush(m_brush);
        m_painter.setFont(m_font);
    }
    SavedTools(const SavedTools&) = delete;
    SavedTools& operator=(const SavedTools&) = delete;

private:
    QPainter& m_painter;
    QPen m_pen;
    QBrush m_brush;
    QFont m_font;
};

constexpr std::int64_t kMinuteLadder[] = {60, 300, 600, 1500, 3000, 6000};

} // namespace

DiagramPagePainter::DiagramPagePainter(const DeviceRect& diagram, QPainter& painter)
    : m_painter(painter), m_areaRect(diagram), m_plotRect(diagram)
{
}

int DiagramPagePainter::lineHeight(const QFont& font) const
{
    const QFontMetrics metrics(font, m_painter.device());
    return metrics.height() + metrics.leading();
}

int DiagramPagePainter::tickLength(const QFont& font) const
{
    return QFontMetrics(font, m_painter.device()).height() / 2;
}

void DiagramPagePainter::drawAligned(const QFont& font, const QString& text, int x, int y, HAlign h, VAlign v)
{
    SavedTools saved(m_painter);
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const QFontMetrics metrics(font, m_painter.device());
    const int width = metrics.horizontalAdvance(text);
    const int left = h == HAlign::Left ? x : h == HAlign::Centre ? x - width / 2 : x - width;
    const int baseline = v == VAlign::Top ? y + metrics.ascent() : y - metrics.descent();
    m_painter.drawText(left, baseline, text);
}

void DiagramPagePainter::drawLine(const QPen& pen, int x1, int y1, int x2, int y2)
{
    SavedTools saved(m_painter);
    m_painter.setPen(pen);
    m_painter.drawLine(x1, y1, x2, y2);
}

void DiagramPagePainter::drawTitle(const QFont& font, const QString& text)
{
    const int lh = lineHeight(font);
    m_plotRect.top += 3 * lh;
    m_lineHeight = lh;
    drawAligned(font, text, m_areaRect.left + m_areaRect.width() / 2, m_areaRect.top, HAlign::Centre, VAlign::Bottom);
}

void DiagramPagePainter::drawFooter(const QFont& font, const QString& text)
{
    const int lh = lineHeight(font);
    m_plotRect.bottom -= 5 * lh;
    m_lineHeight = lh;
    drawAligned(font, text, m_areaRect.left, m_areaRect.bottom, HAlign::Left, VAlign::Bottom);
}

void DiagramPagePainter::drawYCaption(const QFont& font, const QString& text)
{
    m_lineHeight = lineHeight(font);
    drawAligned(font, text, m_areaRect.left, m_plotRect.top - m_lineHeight, HAlign::Left, VAlign::Bottom);
}

void DiagramPagePainter::drawXCaption(const QFont& font, const QString& text)
{
    const QString shown = QStringLiteral("      ") + text;
    const int cx = QFontMetrics(font, m_painter.device()).horizontalAdvance(shown);
    const int lh = lineHeight(font);
    m_plotRect.right -= cx;
    drawAligned(font, shown, m_areaRect.right, m_plotRect.bottom + lh / 2, HAlign::Right, VAlign::Bottom);
}

void DiagramPagePainter::drawAxes(const QPen& pen)
{
    drawLine(pen, m_plotRect.left, m_plotRect.top, m_plotRect.left, m_plotRect.bottom);
    drawLine(pen, m_plotRect.left, m_plotRect.bottom, m_plotRect.right, m_plotRect.bottom);
}

void DiagramPagePainter::drawXScale(int count, const QPen& pen, const QFont& font)
{
    m_xCount = count;
    if (count <= 0)
        return;
    const double step = static_cast<double>(m_plotRect.width()) / count;
    const int every = count / 5 > 0 ? count / 5 : 1;
    const int tick = tickLength(font);
    for (int i = 0; i <= count; ++i) {
        const int x = m_plotRect.left + static_cast<int>(i * step);
        const bool labelled = i % every == 0;
        if (count <= 50 || labelled)
            drawLine(pen, x, m_plotRect.bottom, x, m_plotRect.bottom + tick);
        if (labelled)
            drawAligned(font, QString::number(i), x, m_plotRect.bottom + tick, HAlign::Centre, VAlign::Top);
    }
}

void DiagramPagePainter::drawYScaleMinutes(std::int64_t largestSeconds, const QPen& pen, const QFont& font)
{
    m_yMaxSeconds = 15000;
    for (std::int64_t top : kMinuteLadder) {
        if (top > largestSeconds) {
            m_yMaxSeconds = top;
            break;
        }
    }
    const int minutes = static_cast<int>(m_yMaxSeconds / 60);
    const double step = static_cast<double>(m_plotRect.height()) / minutes;
    const int every = minutes / 5 > 0 ? minutes / 5 : 1;
    const int tick = tickLength(font);
    const int half = lineHeight(font) / 2;
    for (int i = 0; i <= minutes; ++i) {
        const int y = m_plotRect.bottom - static_cast<int>(i * step);
        const bool labelled = i % every == 0;
        if (minutes <= 50 || labelled)
            drawLine(pen, m_plotRect.left - tick, y, m_plotRect.left, y);
        if (labelled)
            drawAligned(font, QString::number(i) + ' ', m_plotRect.left - tick, y - half, HAlign::Right, VAlign::Top);
    }
}

void DiagramPagePainter::drawYScalePercent(const QPen& pen, const QFont& font)
{
    m_yMaxSeconds = 7200;
    const double step = static_cast<double>(m_plotRect.height()) / 12;
    const int tick = tickLength(font);
    const int half = lineHeight(font) / 2;
    for (int k = 0; k <= 12; ++k) {
        const int y = m_plotRect.bottom - static_cast<int>(k * step);
        drawLine(pen, m_plotRect.left - tick, y, m_plotRect.left, y);
        drawAligned(font, QString::number(10 * k) + ' ', m_plotRect.left - tick, y - half, HAlign::Right, VAlign::Top);
    }
}

void DiagramPagePainter::drawSegment(int measurement, std::int64_t value, const QPen& pen, const QBrush& brush)
{
    if (m_lastPoint == QPoint(-1, -1))
        m_lastPoint = QPoint(m_plotRect.left, m_plotRect.bottom);
    if (m_xCount == 0)
        m_xCount = 1;
    std::int64_t ym = m_yMaxSeconds / 60;
    if (ym == 0)
        ym = 1;
    const int x = m_plotRect.left + static_cast<int>(static_cast<double>(m_plotRect.width()) / m_xCount * measurement);
    const int y = m_plotRect.bottom - static_cast<int>(static_cast<double>(m_plotRect.height()) /
                                                       static_cast<double>(ym) / 60 * static_cast<double>(value));
    SavedTools saved(m_painter);
    m_painter.setBrush(brush);
    drawLine(pen, m_lastPoint.x(), m_lastPoint.y(), x, y);
    m_lastPoint = QPoint(x, y);
}
