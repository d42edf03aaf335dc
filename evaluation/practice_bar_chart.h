#pragma once

#include "evaluation/practice_bars.h"

#include <QWidget>

#include <vector>

// A bar chart of practice minutes: each bar a day or a week, its part spent
// in intervals ended by uddhacca stacked on top in a second colour, with an
// optional goal line. Drawn in colours that read on light and dark palettes;
// the tool tip over a bar gives its figures.
class PracticeBarChart : public QWidget {
    Q_OBJECT
public:
    explicit PracticeBarChart(QWidget* parent = nullptr);

    void setBars(std::vector<PracticeBar> bars);
    const std::vector<PracticeBar>& bars() const { return m_bars; }
    // A line across the chart at this many minutes; 0 for none.
    void setGoalMinutes(int minutes);
    int goalMinutes() const { return m_goalMinutes; }

    // The bar under a point of the widget, or -1.
    int barAt(const QPoint& point) const;
    // Where a bar stands, from the axis to the top of the chart.
    QRect barColumn(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QRect plotArea() const;
    // The top of the minutes axis, and the step of its grid lines.
    double scaleTop(double* step) const;

    std::vector<PracticeBar> m_bars;
    int m_goalMinutes = 0;
};
