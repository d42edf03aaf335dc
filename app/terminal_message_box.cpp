#include "terminal_message_box.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <iostream>

void CTerminalMessageBox::ShowMessage(QWidget*, const QString& text)
{
    std::cerr << "Jhavari-Training: " << text.toStdString() << '\n';
}

IMessageBox::Answer CTerminalMessageBox::AskYesNo(QWidget* parent, const QString& text)
{
    ShowMessage(parent, text);
    return Answer::No;
}

IMessageBox::Answer CTerminalMessageBox::AskYesNoCancel(QWidget* parent, const QString& text)
{
    ShowMessage(parent, text);
    return Answer::Cancel;
}

bool IsRegistrationWithoutDisplay(int argc, const char* const* argv)
{
    return argc >= 2 && std::strcmp(argv[1], "-register") == 0 && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
