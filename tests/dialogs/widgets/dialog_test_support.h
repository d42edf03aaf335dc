#pragma once

#include "platform/message_box.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <deque>
#include <functional>

// Records the messages and answers the questions in place of the user.
class RecordingMessageBoxes : public MessageBox {
public:
    RecordingMessageBoxes() { setMessageBoxes(this); }
    ~RecordingMessageBoxes() override { setMessageBoxes(nullptr); }

    void showMessage(QWidget* parent, const QString& text) override;
    Answer askYesNo(QWidget* parent, const QString& text) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text) override;

    QStringList messages;
    QStringList questions;
    std::deque<Answer> answers; // taken in order; No when empty
};

// Runs action on the next modal window that is not `current`, once it is shown.
void onNextModal(std::function<void(QWidget* modal)> action, QWidget* current = nullptr);

// A control of a dialog by its id.
template <class T>
T* control(QWidget* dialog, int id)
{
    return dialog->findChild<T*>(QString::number(id));
}
