#include "practice/key_state_tracker.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include <optional>

namespace {

std::optional<WatchedKey> watchedKeyOf(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Escape: return WatchedKey::Escape;
    case Qt::Key_F11: return WatchedKey::F11;
    case Qt::Key_F12: return WatchedKey::F12;
    default: return std::nullopt;
    }
}

} // namespace

KeyStateTracker::KeyStateTracker(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyStateTracker::~KeyStateTracker()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyStateTracker::isKeyHeld(WatchedKey key) const
{
    return m_held[static_cast<std::size_t>(key)];
}

bool KeyStateTracker::takeKeyDown(WatchedKey key)
{
    const auto index = static_cast<std::size_t>(key);
    const bool down = m_held[index] || m_pressed[index];
    m_pressed[index] = false;
    return down;
}

void KeyStateTracker::forgetPresses()
{
    m_pressed.fill(false);
}

bool KeyStateTracker::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    // A key bound to a shortcut is seen only as a shortcut override, not as a press.
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride || type == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // An auto-repeat release is followed by another press: the key stays held.
        if (const std::optional<WatchedKey> which = watchedKeyOf(key->key()); which && !key->isAutoRepeat()) {
            const auto index = static_cast<std::size_t>(*which);
            m_held[index] = type != QEvent::KeyRelease;
            // A tap may go down and up again between two polls.
            if (type != QEvent::KeyRelease)
                m_pressed[index] = true;
        }
    } else if (type == QEvent::ApplicationDeactivate) {
        // A release in another application's window never reaches us.
        m_held.fill(false);
    }
    return QObject::eventFilter(watched, event);
}
