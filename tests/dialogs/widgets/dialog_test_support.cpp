#include "tests/dialogs/widgets/dialog_test_support.h"

#include <QApplication>
#include <QTimer>

void RecordingMessageBoxes::showMessage(QWidget*, const QString& text)
{
    messages << text;
}

MessageBox::Answer RecordingMessageBoxes::askYesNo(QWidget*, const QString& text)
{
    questions << text;
    if (answers.empty())
        return Answer::No;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

MessageBox::Answer RecordingMessageBoxes::askYesNoCancel(QWidget* parent, const QString& text)
{
    return askYesNo(parent, text);
}

void onNextModal(std::function<void(QWidget* modal)> action, QWidget* current)
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
