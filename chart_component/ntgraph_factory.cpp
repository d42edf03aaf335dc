#include "ntgraph_chart.h"

extern "C" __attribute__((visibility("default"))) INTGraphControl* CreateNTGraphControl(QWidget* parent)
{
    return new CNTGraphChart(parent);
}
