#include "app/terminal_message_box.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstring>
#include <iostream>

void TerminalMessageBox::showMessage(QWidget*, const QString& text)
{
    std::cerr << "Jhavari-Training: " << text.toStdString() << '\n';
}

MessageBox::Answer TerminalMessageBox::askYesNo(QWidget* parent, const QString& text)
{
    showMessage(parent, text);
    return Answer::No;
}

MessageBox::Answer TerminalMessageBox::askYesNoCancel(QWidget* parent, const QString& text)
{
    showMessage(parent, text);
    return Answer::Cancel;
}

bool isRegistrationWithoutDisplay(int argc, const char* const* argv)
{
    return argc >= 2 && std::strcmp(argv[1], "-register") == 0 && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
