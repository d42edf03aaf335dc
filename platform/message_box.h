#pragma once

#include <QString>

class QWidget;

// Messages and questions towards the user, captioned "Jhavari-Training".
// Behind an interface so that tests can answer the questions.
class MessageBox {
public:
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~MessageBox() = default;
    // OK only, exclamation icon.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // Yes/No, question icon.
    virtual Answer askYesNo(QWidget* parent, const QString& text) = 0;
    // Yes/No/Cancel, question icon (the framework's save question).
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    // Yes/No, question icon, with the button that Return presses.
    virtual Answer askYesNoDefaulting(QWidget* parent, const QString& text, Answer defaultAnswer)
    {
        Q_UNUSED(defaultAnswer);
        return askYesNo(parent, text);
    }
};

// The real message boxes; a test may put a double in place of it.
MessageBox& messageBoxes();
void setMessageBoxes(MessageBox* boxes);
