#include "diagram_printer.h"

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

CDiagrammPrinter::CDiagrammPrinter(const DeviceRect& diagram, QPainter& painter)
    : m_painter(painter), m_rectArea(diagram), m_rectPlot(diagram)
{
}

int CDiagrammPrinter::LineHeight(const QFont& font) const
{
    const QFontMetrics metrics(font, m_painter.device());
    return metrics.height() + metrics.leading();
}

int CDiagrammPrinter::TickLength(const QFont& font) const
{
    return QFontMetrics(font, m_painter.device()).height() / 2;
}

void CDiagrammPrinter::DrawAligned(const QFont& font, const QString& text, int x, int y, HAlign h, VAlign v)
{
    SavedTools saved(m_painter);
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const QFontMetrics metrics(font, m_painter.device());
    const int width = metrics.horizontalAdvance(text);
    const int left = h == Left ? x : h == Centre ? x - width / 2 : x - width;
    const int baseline = v == Top ? y + metrics.ascent() : y - metrics.descent();
    m_painter.drawText(left, baseline, text);
}

void CDiagrammPrinter::DrawLine(const QPen& pen, int x1, int y1, int x2, int y2)
{
    SavedTools saved(m_painter);
    m_painter.setPen(pen);
    m_painter.drawLine(x1, y1, x2, y2);
}

void CDiagrammPrinter::DrawTitle(const QFont& font, const QString& text)
{
    const int lh = LineHeight(font);
    m_rectPlot.top += 3 * lh;
    m_nLineHeight = lh;
    DrawAligned(font, text, m_rectArea.left + m_rectArea.Width() / 2, m_rectArea.top, Centre, Bottom);
}

void CDiagrammPrinter::DrawFooter(const QFont& font, const QString& text)
{
    const int lh = LineHeight(font);
    m_rectPlot.bottom -= 5 * lh;
    m_nLineHeight = lh;
    DrawAligned(font, text, m_rectArea.left, m_rectArea.bottom, Left, Bottom);
}

void CDiagrammPrinter::DrawYCaption(const QFont& font, const QString& text)
{
    m_nLineHeight = LineHeight(font);
    DrawAligned(font, text, m_rectArea.left, m_rectPlot.top - m_nLineHeight, Left, Bottom);
}

void CDiagrammPrinter::DrawXCaption(const QFont& font, const QString& text)
{
    const QString shown = QStringLiteral("      ") + text;
    const int cx = QFontMetrics(font, m_painter.device()).horizontalAdvance(shown);
    const int lh = LineHeight(font);
    m_rectPlot.right -= cx;
    DrawAligned(font, shown, m_rectArea.right, m_rectPlot.bottom + lh / 2, Right, Bottom);
}

void CDiagrammPrinter::DrawAxes(const QPen& pen)
{
    DrawLine(pen, m_rectPlot.left, m_rectPlot.top, m_rectPlot.left, m_rectPlot.bottom);
    DrawLine(pen, m_rectPlot.left, m_rectPlot.bottom, m_rectPlot.right, m_rectPlot.bottom);
}

void CDiagrammPrinter::DrawXScale(int count, const QPen& pen, const QFont& font)
{
    m_nXCount = count;
    if (count <= 0)
        return;
    const double step = static_cast<double>(m_rectPlot.Width()) / count;
    const int every = count / 5 > 0 ? count / 5 : 1;
    const int tick = TickLength(font);
    for (int i = 0; i <= count; ++i) {
        const int x = m_rectPlot.left + static_cast<int>(i * step);
        const bool labelled = i % every == 0;
        if (count <= 50 || labelled)
            DrawLine(pen, x, m_rectPlot.bottom, x, m_rectPlot.bottom + tick);
        if (labelled)
            DrawAligned(font, QString::number(i), x, m_rectPlot.bottom + tick, Centre, Top);
    }
}

void CDiagrammPrinter::DrawYScaleMinutes(std::int64_t largestSeconds, const QPen& pen, const QFont& font)
{
    m_nYMaxSeconds = 15000;
    for (std::int64_t top : kMinuteLadder) {
        if (top > largestSeconds) {
            m_nYMaxSeconds = top;
            break;
        }
    }
    const int minutes = static_cast<int>(m_nYMaxSeconds / 60);
    const double step = static_cast<double>(m_rectPlot.Height()) / minutes;
    const int every = minutes / 5 > 0 ? minutes / 5 : 1;
    const int tick = TickLength(font);
    const int half = LineHeight(font) / 2;
    for (int i = 0; i <= minutes; ++i) {
        const int y = m_rectPlot.bottom - static_cast<int>(i * step);
        const bool labelled = i % every == 0;
        if (minutes <= 50 || labelled)
            DrawLine(pen, m_rectPlot.left - tick, y, m_rectPlot.left, y);
        if (labelled)
            DrawAligned(font, QString::number(i) + ' ', m_rectPlot.left - tick, y - half, Right, Top);
    }
}

void CDiagrammPrinter::DrawYScalePercent(const QPen& pen, const QFont& font)
{
    m_nYMaxSeconds = 7200;
    const double step = static_cast<double>(m_rectPlot.Height()) / 12;
    const int tick = TickLength(font);
    const int half = LineHeight(font) / 2;
    for (int k = 0; k <= 12; ++k) {
        const int y = m_rectPlot.bottom - static_cast<int>(k * step);
        DrawLine(pen, m_rectPlot.left - tick, y, m_rectPlot.left, y);
        DrawAligned(font, QString::number(10 * k) + ' ', m_rectPlot.left - tick, y - half, Right, Top);
    }
}

void CDiagrammPrinter::DrawSegment(int measurement, std::int64_t value, const QPen& pen, const QBrush& brush)
{
    if (m_ptLast == QPoint(-1, -1))
        m_ptLast = QPoint(m_rectPlot.left, m_rectPlot.bottom);
    if (m_nXCount == 0)
        m_nXCount = 1;
    std::int64_t ym = m_nYMaxSeconds / 60;
    if (ym == 0)
        ym = 1;
    const int x = m_rectPlot.left +
                  static_cast<int>(static_cast<double>(m_rectPlot.Width()) / m_nXCount * measurement);
    const int y = m_rectPlot.bottom - static_cast<int>(static_cast<double>(m_rectPlot.Height()) /
                                                       static_cast<double>(ym) / 60 * static_cast<double>(value));
    SavedTools saved(m_painter);
    m_painter.setBrush(brush);
    DrawLine(pen, m_ptLast.x(), m_ptLast.y(), x, y);
    m_ptLast = QPoint(x, y);
}
