#include "app/command_line.h"

CommandLineInfo parseCommandLine(const QStringList& arguments)
{
    CommandLineInfo info;
    if (arguments.size() >= 2 && arguments[1] == QLatin1String("-register")) {
        info.m_register = true;
        return info;
    }
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        // After "--" a name that starts with '-' is a name too.
        if (arguments[i] == QLatin1String("--")) {
            if (i + 1 < arguments.size())
                info.m_fileName = arguments[i + 1];
            break;
        }
        if (!arguments[i].startsWith('-')) {
            info.m_fileName = arguments[i];
            break;
        }
    }
    return info;
}
