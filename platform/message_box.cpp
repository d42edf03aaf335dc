#include "message_box.h"

#include <QMessageBox>

namespace {

constexpr const char* kCaption = "Jhavari-Training";

class QtMessageBox : public IMessageBox {
public:
    void ShowMessage(QWidget* parent, const QString& text) override
    {
        QMessageBox::warning(parent, kCaption, text, QMessageBox::Ok);
    }

    Answer AskYesNo(QWidget* parent, const QString& text) override
    {
        return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
                   ? Answer::Yes
                   : Answer::No;
    }

    Answer AskYesNoCancel(QWidget* parent, const QString& text) override
    {
        switch (QMessageBox::question(parent, kCaption, text,
                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
        case QMessageBox::Yes: return Answer::Yes;
        case QMessageBox::No: return Answer::No;
        default: return Answer::Cancel;
        }
    }
};

IMessageBox* g_pMessageBoxes = nullptr;

} // namespace

IMessageBox& MessageBoxes()
{
    static QtMessageBox real;
    return g_pMessageBoxes ? *g_pMessageBoxes : real;
}

void SetMessageBoxes(IMessageBox* boxes)
{
    g_pMessageBoxes = boxes;
}
