#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of a start with a window.
struct CommandLineInfo {
    // "-register", exactly and as the first argument: register the chart
    // component and end.
    bool m_register = false;
    // The document to open; empty for a new one.
    QString m_fileName;
};

// arguments as QCoreApplication::arguments(), the program first. Arguments
// starting with '-' are switches; none other than "-register" has a meaning,
// and the first other argument names the document, as does the one after "--".
CommandLineInfo parseCommandLine(const QStringList& arguments);
