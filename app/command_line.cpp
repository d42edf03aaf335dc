#include "command_line.h"

CCommandLineInfo ParseCommandLine(const QStringList& arguments)
{
    CCommandLineInfo info;
    if (arguments.size() >= 2 && arguments[1] == QLatin1String("-register")) {
        info.m_bRegister = true;
        return info;
    }
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith('-')) {
            info.m_strFileName = arguments[i];
            break;
        }
    }
    return info;
}
