#include "dialog_test_support.h"

#include <QApplication>
#include <QTimer>

void RecordingMessageBoxes::ShowMessage(QWidget*, const QString& text)
{
    messages << text;
}

IMessageBox::Answer RecordingMessageBoxes::AskYesNo(QWidget*, const QString& text)
{
    questions << text;
    if (answers.empty())
        return Answer::No;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

IMessageBox::Answer RecordingMessageBoxes::AskYesNoCancel(QWidget* parent, const QString& text)
{
    return AskYesNo(parent, text);
}

void OnNextModal(std::function<void(QWidget* modal)> action, QWidget* current)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action = std::move(action), current] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == current || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}
