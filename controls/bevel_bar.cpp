#include "controls/bevel_bar.h"

#include <QPainter>
#include <QPalette>
#include <QPoint>

#include <algorithm>
#include <initializer_list>

namespace {

constexpr int kShadeStep = 51;

int lighterChannel(int value, int amount)
{
    return value + amount < 256 ? value + amount : value;
}

int darkerChannel(int value, int amount)
{
    return value >= amount ? value - amount : value;
}

// Draws connected horizontal and vertical strokes from point to point; each
// stroke stops one pixel short of its end point, which the next one begins
// with, so the last point of the line stays unset.
void strokes(QPainter& painter, const QColor& colour, std::initializer_list<QPoint> points)
{
    const QPoint* from = points.begin();
    for (const QPoint* to = from + 1; to != points.end(); from = to++) {
        if (from->y() == to->y() && from->x() != to->x()) {
            const int last = to->x() > from->x() ? to->x() - 1 : to->x() + 1;
            painter.fillRect(
                QRect(QPoint(std::min(from->x(), last), from->y()), QPoint(std::max(from->x(), last), from->y())),
                colour);
        } else if (from->x() == to->x() && from->y() != to->y()) {
            const int last = to->y() > from->y() ? to->y() - 1 : to->y() + 1;
            painter.fillRect(
                QRect(QPoint(from->x(), std::min(from->y(), last)), QPoint(from->x(), std::max(from->y(), last))),
                colour);
        }
    }
}

void pixel(QPainter& painter, const QColor& colour, int x, int y)
{
    painter.fillRect(x, y, 1, 1, colour);
}

} // namespace

BevelBar::BevelBar(const QColor& base)
    : m_base(base), m_light1(lighter(base, kShadeStep)), m_light2(lighter(m_light1, kShadeStep)),
      m_light3(lighter(m_light2, kShadeStep)), m_dark1(darker(base, kShadeStep)), m_dark2(darker(m_dark1, kShadeStep))
{
}

QColor BevelBar::lighter(const QColor& colour, int amount)
{
    return QColor(lighterChannel(colour.red(), amount), lighterChannel(colour.green(), amount),
                  lighterChannel(colour.blue(), amount));
}

QColor BevelBar::darker(const QColor& colour, int amount)
{
    return QColor(darkerChannel(colour.red(), amount), darkerChannel(colour.green(), amount),
                  darkerChannel(colour.blue(), amount));
}

QColor BevelBar::middleShadow(const QPalette& palette)
{
    const QColor shadow = palette.color(QPalette::Dark);
    const QColor darkShadow = palette.color(QPalette::Shadow);
    return QColor((shadow.red() + darkShadow.red()) / 2, (shadow.green() + darkShadow.green()) / 2,
                  (shadow.blue() + darkShadow.blue()) / 2);
}

void BevelBar::draw(QPainter& painter, int left, int top, int right, int bottom, const QPalette& palette) const
{
    if (right == left)
        return;
    const int l = left;
    const int t = top;
    const int r = right;
    const int b = bottom;
    painter.fillRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)), m_light3);

    strokes(painter, m_light1, {{l + 2, b - 4}, {r - 2, b - 4}});
    strokes(painter, m_light1, {{l + 2, t + 2}, {r - 2, t + 2}});
    pixel(painter, m_light1, l + 1, b - 3);
    pixel(painter, m_light1, l + 1, t + 1);

    strokes(painter, m_light2, {{l + 2, b - 5}, {r - 3, b - 5}, {r - 3, t + 3}, {l + 1, t + 3}});
    pixel(painter, m_light2, l + 1, b - 4);
    pixel(painter, m_light2, l + 1, t + 2);

    strokes(painter, m_base, {{l, b - 1}, {l, t}, {l + 2, t}});
    pixel(painter, m_base, l + 1, b - 2);
    strokes(painter, m_base, {{l + 2, b - 3}, {r - 2, b - 3}});
    strokes(painter, m_base, {{l + 2, t + 1}, {r - 1, t + 1}});

    strokes(painter, m_dark1, {{l + 2, b - 2}, {r - 2, b - 2}, {r - 2, t + 1}});
    strokes(painter, m_dark1, {{l + 2, t}, {r, t}});
    pixel(painter, m_dark1, l + 1, b - 1);

    strokes(painter, m_dark2, {{l + 2, b - 1}, {r - 1, b - 1}, {r - 1, t}});

    strokes(painter, middleShadow(palette), {{r, t}, {r, b}});
    strokes(painter, palette.color(QPalette::Dark), {{r + 1, t}, {r + 1, b}});
}
