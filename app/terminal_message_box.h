#pragma once

#include "message_box.h"

// Messages on standard error, for the registration run without a display
// (an installer's post-install step): no question is ever asked there.
class CTerminalMessageBox : public IMessageBox {
public:
    void ShowMessage(QWidget* parent, const QString& text) override;
    Answer AskYesNo(QWidget* parent, const QString& text) override;
    Answer AskYesNoCancel(QWidget* parent, const QString& text) override;
};

// True when argv asks for the registration and no display is there to show
// its messages on.
bool IsRegistrationWithoutDisplay(int argc, const char* const* argv);
