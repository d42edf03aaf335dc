#include "platform/wrapped_tool_tip.h"

QString wrappedToolTip(const char* text)
{
    return QStringLiteral("<p>%1</p>").arg(QString::fromUtf8(text).toHtmlEscaped());
}
