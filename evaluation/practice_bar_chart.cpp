#include "evaluation/practice_bar_chart.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// Colours that stand out from the background on a light and on a dark palette.
struct ChartColors {
    QColor practice;
    QColor uddhacca;
    QColor goal;
};

ChartColors chartColors(const QPalette& palette)
{
    if (palette.color(QPalette::Base).lightness() < 128)
        return {QColor(0x6f, 0xa8, 0xee), QColor(0xf5, 0xa3, 0x5c), QColor(0x6b, 0xd6, 0x84)};
    return {QColor(0x2f, 0x6f, 0xbf), QColor(0xd9, 0x6a, 0x12), QColor(0x1e, 0x8c, 0x3a)};
}

constexpr int kMargin = 6;
constexpr int kLegendGap = 4;

} // namespace

PracticeBarChart::PracticeBarChart(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void PracticeBarChart::setBars(std::vector<PracticeBar> bars)
{
    m_bars = std::move(bars);
    update();
}

void PracticeBarChart::setGoalMinutes(int minutes)
{
    m_goalMinutes = std::max(0, minutes);
    update();
}

QSize PracticeBarChart::sizeHint() const
{
    return {640, 12 * fontMetrics().height()};
}

QSize PracticeBarChart::minimumSizeHint() const
{
    return {240, 8 * fontMetrics().height()};
}

QRect PracticeBarChart::plotArea() const
{
    const QFontMetrics metrics = fontMetrics();
    const int left = kMargin + metrics.horizontalAdvance(QStringLiteral("0000")) + kLegendGap;
    const int top = kMargin + metrics.height() + kLegendGap;
    const int bottom = height() - kMargin - metrics.height() - kLegendGap;
    return QRect(QPoint(left, top), QPoint(width() - kMargin - 1, bottom));
}

double PracticeBarChart::scaleTop(double* step) const
{
    double highest = m_goalMinutes;
    for (const PracticeBar& bar : m_bars)
        highest = std::max(highest, bar.minutes());
    // Grid steps of 1, 2 or 5 times a power of ten, four or five lines high.
    static constexpr double kSteps[] = {1, 2, 5};
    double chosen = 1;
    for (double power = 1;; power *= 10) {
        const double* fitting = std::find_if(std::begin(kSteps), std::end(kSteps),
                                             [&](double base) { return highest <= 5 * base * power; });
        if (fitting != std::end(kSteps)) {
            chosen = *fitting * power;
            break;
        }
    }
    *step = chosen;
    return std::max(chosen, std::ceil(highest / chosen) * chosen);
}

QRect PracticeBarChart::barColumn(int index) const
{
    const QRect plot = plotArea();
    if (m_bars.empty() || index < 0 || index >= static_cast<int>(m_bars.size()))
        return {};
    const double width = static_cast<double>(plot.width()) / static_cast<double>(m_bars.size());
    const int left = plot.left() + static_cast<int>(std::lround(index * width));
    const int right = plot.left() + static_cast<int>(std::lround((index + 1) * width));
    return QRect(QPoint(left, plot.top()), QPoint(right - 1, plot.bottom()));
}

int PracticeBarChart::barAt(const QPoint& point) const
{
    for (int i = 0; i < static_cast<int>(m_bars.size()); ++i)
        if (barColumn(i).contains(point))
            return i;
    return -1;
}

bool PracticeBarChart::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const int bar = barAt(help->pos());
    if (bar < 0) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QString tip = QString::fromStdString(m_bars[static_cast<std::size_t>(bar)].toolTip());
    if (m_goalMinutes > 0 && m_bars[static_cast<std::size_t>(bar)].minutes() >= m_goalMinutes)
        tip += QStringLiteral("\nDaily goal met");
    QToolTip::showText(help->globalPos(), tip, this, barColumn(bar));
    return true;
}

void PracticeBarChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colors = palette();
    const ChartColors chart = chartColors(colors);
    painter.fillRect(rect(), colors.color(QPalette::Base));
    const QFontMetrics metrics = fontMetrics();
    const QRect plot = plotArea();
    if (plot.width() < 2 || plot.height() < 2)
        return;

    // Legend along the top.
    int x = plot.left();
    const int legendY = kMargin;
    const auto legend = [&](const QColor& color, const QString& text, bool line) {
        const int box = metrics.ascent() - 2;
        if (line) {
            painter.setPen(QPen(color, 2, Qt::DashLine));
            painter.drawLine(x, legendY + box / 2 + 1, x + 2 * box, legendY + box / 2 + 1);
            x += 2 * box + kLegendGap;
        } else {
            painter.fillRect(x, legendY + 1, box, box, color);
            x += box + kLegendGap;
        }
        painter.setPen(colors.color(QPalette::Text));
        painter.drawText(x, legendY + metrics.ascent(), text);
        x += metrics.horizontalAdvance(text) + 3 * kLegendGap;
    };
    legend(chart.practice, QStringLiteral("Minutes of practice"), false);
    legend(chart.uddhacca, QStringLiteral("of these ended by uddhacca"), false);
    if (m_goalMinutes > 0)
        legend(chart.goal, QStringLiteral("Daily goal"), true);

    double step = 1;
    const double top = scaleTop(&step);
    const auto yOf = [&](double minutes) {
        return plot.bottom() - static_cast<int>(std::lround(minutes / top * plot.height()));
    };

    // Grid lines with their minutes at the left.
    QColor grid = colors.color(QPalette::Text);
    grid.setAlpha(50);
    for (double value = 0; value <= top + step / 2; value += step) {
        const int y = yOf(value);
        painter.setPen(grid);
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(colors.color(QPalette::Text));
        const QString text = QString::number(value, 'g', 6);
        painter.drawText(QRect(kMargin, y - metrics.height() / 2, plot.left() - kMargin - kLegendGap, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, text);
    }

    // The bars, with a gap between them, and the labels that fit beneath.
    const int count = static_cast<int>(m_bars.size());
    const int widestLabel = metrics.horizontalAdvance(QStringLiteral("00")) + kLegendGap;
    const int columnWidth = count > 0 ? plot.width() / count : plot.width();
    const int labelEvery = std::max(1, (widestLabel + columnWidth - 1) / std::max(1, columnWidth));
    for (int i = 0; i < count; ++i) {
        const PracticeBar& bar = m_bars[static_cast<std::size_t>(i)];
        const QRect column = barColumn(i);
        const int gap = std::max(1, column.width() / 5);
        const int left = column.left() + gap / 2;
        const int width = std::max(1, column.width() - gap);
        const int calmTop = yOf(bar.minutes() - bar.uddhaccaMinutes());
        const int barTop = yOf(bar.minutes());
        painter.fillRect(QRect(QPoint(left, calmTop), QPoint(left + width - 1, plot.bottom())), chart.practice);
        if (barTop < calmTop)
            painter.fillRect(QRect(QPoint(left, barTop), QPoint(left + width - 1, calmTop - 1)), chart.uddhacca);
        // Labels count back from the newest bar, so that today always has its own.
        if ((count - 1 - i) % labelEvery == 0) {
            painter.setPen(colors.color(QPalette::Text));
            painter.drawText(
                QRect(column.center().x() - widestLabel, plot.bottom() + kLegendGap, 2 * widestLabel, metrics.height()),
                Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(bar.label));
        }
    }

    painter.setPen(colors.color(QPalette::Text));
    painter.drawLine(plot.left(), plot.bottom(), plot.right(), plot.bottom());
    if (m_goalMinutes > 0) {
        painter.setPen(QPen(chart.goal, 2, Qt::DashLine));
        const int y = yOf(m_goalMinutes);
        painter.drawLine(plot.left(), y, plot.right(), y);
    }
}
