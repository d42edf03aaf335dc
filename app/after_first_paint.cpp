#include "app/after_first_paint.h"

#include <QEvent>

#include <utility>

AfterFirstPaint::AfterFirstPaint(QObject* watched, std::function<void()> action)
    : QObject(watched), m_action(std::move(action))
{
    watched->installEventFilter(this);
}

bool AfterFirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && m_action) {
        watched->removeEventFilter(this);
        // Once the paint itself is done.
        QMetaObject::invokeMethod(
            this,
            [this] {
                std::exchange(m_action, nullptr)();
                deleteLater();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
