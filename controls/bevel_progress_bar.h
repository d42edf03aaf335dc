#pragma once

#include "controls/bevel_bar.h"

#include <QWidget>

// A thin progress bar from 0 to 100: a sunken frame on the button face colour
// with a bevelled green bar filled from the left.
class BevelProgressBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 100;

    explicit BevelProgressBar(QWidget* parent = nullptr);

    // Clamps to 0..100; repaints only when the shown value changes.
    void setValue(int value);
    int value() const { return m_value; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int filledWidth() const;

    int m_value = kMinimum;
    BevelBar m_bar;
};
