#pragma once

#include <QObject>

#include <functional>

// Runs an action from the event loop once the watched window has been
// painted for the first time, then goes: work that need not be done before
// the user sees the window waits for it.
class AfterFirstPaint : public QObject {
    Q_OBJECT
public:
    AfterFirstPaint(QObject* watched, std::function<void()> action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_action;
};
