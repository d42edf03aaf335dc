#include "app/command_line.h"

CommandLineInfo parseCommandLine(const QStringList& arguments)
{
    CommandLineInfo info;
    if (arguments.size() >= 2 && arguments[1] == QLatin1String("-register")) {
        info.m_register = true;
        return info;
    }
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith('-')) {
            info.m_fileName = arguments[i];
            break;
        }
    }
    return info;
}
