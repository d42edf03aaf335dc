#include "controls/bevel_progress_bar.h"

#include "controls/control_accessibility.h"

#include <QAccessible>
#include <QPainter>

#include <algorithm>

BevelProgressBar::BevelProgressBar(QWidget* parent) : QWidget(parent), m_bar(QColor(0, 100, 0))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    installControlAccessibility();
}

void BevelProgressBar::setValue(int value)
{
    value = std::clamp(value, kMinimum, kMaximum);
    if (value == m_value)
        return;
    m_value = value;
    update();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, m_value);
        QAccessible::updateAccessibility(&event);
    }
}

int BevelProgressBar::filledWidth() const
{
    return static_cast<int>(static_cast<long long>(m_value - kMinimum) * width() / (kMaximum - kMinimum));
}

void BevelProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const int w = width();
    const int h = height();
    // Sunken frame: shadow at the top and left, highlight at the bottom and right.
    painter.fillRect(rect(), colours.color(QPalette::Button));
    painter.fillRect(0, 0, w - 1, 1, colours.color(QPalette::Dark));
    painter.fillRect(0, 0, 1, h - 1, colours.color(QPalette::Dark));
    painter.fillRect(w - 1, 0, 1, h, colours.color(QPalette::Light));
    painter.fillRect(0, h - 1, w, 1, colours.color(QPalette::Light));
    m_bar.draw(painter, 0, 0, filledWidth(), h, colours);
}
