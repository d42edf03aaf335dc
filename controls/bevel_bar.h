#pragma once

#include <QColor>

class QPainter;
class QPalette;

// The bevelled filled part of the progress bar: a base colour, three lighter and
// two darker shades of it, drawn line by line so it looks like a rounded rod.
// The shadows beyond its right end come from the palette's 3D colours.
class BevelBar {
public:
    explicit BevelBar(const QColor& base);

    // Adds or takes amount from each channel that stays within 0..255; the
    // others stay as they are.
    static QColor lighter(const QColor& colour, int amount);
    static QColor darker(const QColor& colour, int amount);
    // Half-way between the button shadow and the dark 3D shadow, rounded down.
    static QColor middleShadow(const QPalette& palette);

    QColor base() const { return m_base; }
    QColor light1() const { return m_light1; }
    QColor light2() const { return m_light2; }
    QColor light3() const { return m_light3; }
    QColor dark1() const { return m_dark1; }
    QColor dark2() const { return m_dark2; }

    // Draws the bar into the pixels left <= x < right, top <= y < bottom, with its
    // two shadow columns at x = right and right + 1. Nothing when right == left.
    void draw(QPainter& painter, int left, int top, int right, int bottom, const QPalette& palette) const;

private:
    QColor m_base;
    QColor m_light1;
    QColor m_light2;
    QColor m_light3;
    QColor m_dark1;
    QColor m_dark2;
};
