#pragma once

#include <QWidget>

class ChartControl;

// Hosts the chart component: loads the library registered for its class and
// makes the chart inside this widget, which owns it. When it cannot, the
// widget says so.
class ChartHost : public QWidget {
public:
    explicit ChartHost(QWidget* parent = nullptr);

    // The chart, or null when the component could not be loaded.
    ChartControl* control() const { return m_control; }

private:
    ChartControl* m_control = nullptr;
};
