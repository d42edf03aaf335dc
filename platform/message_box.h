#pragma once

#include <QString>

class QWidget;

// Messages and questions towards the user, captioned "Jhavari-Training".
// Behind an interface so that tests can answer the questions.
class IMessageBox {
public:
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~IMessageBox() = default;
    // OK only, exclamation icon.
    virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
    // Yes/No, question icon.
    virtual Answer AskYesNo(QWidget* parent, const QString& text) = 0;
    // Yes/No/Cancel, question icon (the framework's save question).
    virtual Answer AskYesNoCancel(QWidget* parent, const QString& text) = 0;
};

// The real message boxes; a test may put a double in place of it.
IMessageBox& MessageBoxes();
void SetMessageBoxes(IMessageBox* boxes);
