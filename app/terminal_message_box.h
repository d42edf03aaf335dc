#pragma once

#include "platform/message_box.h"

// Messages on standard error, for the registration run without a display
// (an installer's post-install step): no question is ever asked there.
class TerminalMessageBox : public MessageBox {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    Answer askYesNo(QWidget* parent, const QString& text) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;
};

// True when argv asks for the registration and no display is there to show
// its messages on.
bool isRegistrationWithoutDisplay(int argc, const char* const* argv);
