#include "platform/message_box.h"

#include <QMessageBox>

namespace {

constexpr const char* kCaption = "Jhavari-Training";

class QtMessageBox : public MessageBox {
public:
    void showMessage(QWidget* parent, const QString& text) override
    {
        QMessageBox::warning(parent, kCaption, text, QMessageBox::Ok);
    }

    Answer askYesNo(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
                   ? Answer::Yes
                   : Answer::No;
    }

    Answer askYesNoDefaulting(QWidget* parent, const QString& text, Answer defaultAnswer) override
    {
        const QMessageBox::StandardButton defaultButton =
            defaultAnswer == Answer::Yes ? QMessageBox::Yes : QMessageBox::No;
        return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No, defaultButton) ==
                       QMessageBox::Yes
                   ? Answer::Yes
                   : Answer::No;
    }

    Answer askYesNoCancel(QWidget* parent, const QString& text) override
    {
        switch (QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                      QMessageBox::Yes)) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
        }
    }
};

// The stand-in a test installed, or null.
MessageBox*& installedMessageBoxes()
{
    static MessageBox* installed = nullptr;
    return installed;
}

} // namespace

MessageBox& messageBoxes()
{
    static QtMessageBox real;
    return installedMessageBoxes() ? *installedMessageBoxes() : real;
}

void setMessageBoxes(MessageBox* boxes)
{
    installedMessageBoxes() = boxes;
}
