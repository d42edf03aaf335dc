#include "chart_component/qt_chart_control.h"

extern "C" __attribute__((visibility("default"))) ChartControl* CreateNTGraphControl(QWidget* parent)
{
    return new QtChartControl(parent);
}
