#pragma once

#include <QWidget>

class INTGraphControl;

// Hosts the chart component: loads the library registered for its class and
// makes the chart inside this widget, which owns it. When it cannot, the
// widget says so.
class CNTGraph : public QWidget {
public:
    explicit CNTGraph(QWidget* parent = nullptr);

    // The chart, or null when the component could not be loaded.
    INTGraphControl* Control() const { return m_pControl; }

private:
    INTGraphControl* m_pControl = nullptr;
};
