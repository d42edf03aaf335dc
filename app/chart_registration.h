#pragma once

#include <QStringList>

// Folders searched for the chart component, in this order: the program's
// folder, the current folder, the installed component folder, the folders of PATH.
QStringList chartControlSearchPath();

// Loads the chart component found along searchPath and lets it register
// itself; on success writes "Register"/"NTGraph" = 1 into the profile. Every
// failure is reported in a message box. The library stays loaded.
bool registerChartControl(const QStringList& searchPath = chartControlSearchPath());

// True when the chart component's class is in the component registry.
bool isChartControlRegistered();
