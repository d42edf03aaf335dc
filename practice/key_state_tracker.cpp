#include "practice/key_state_tracker.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

constexpr std::array<int, 3> kQtKeys = {Qt::Key_Escape, Qt::Key_F11, Qt::Key_F12}; // by WatchedKey

} // namespace

KeyStateTracker::KeyStateTracker(const QWidget& form) : m_form(form), m_keys({kQtKeys.begin(), kQtKeys.end()})
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyStateTracker::~KeyStateTracker()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyStateTracker::takeKeyDown(WatchedKey key)
{
    const auto index = static_cast<std::size_t>(key);
    const bool pressed = std::exchange(m_pressed[index], false);
    return pressed || (m_pressedInForm[index] && m_keys.isDown(kQtKeys[index]));
}

void KeyStateTracker::forgetPresses()
{
    m_pressed.fill(false);
}

bool KeyStateTracker::eventFilter(QObject* watched, QEvent* event)
{
    const std::optional<PhysicalKeyReader::Key> key = m_keys.read(watched, *event);
    const auto* watchedKey = key ? std::find(kQtKeys.begin(), kQtKeys.end(), key->key) : kQtKeys.end();
    if (watchedKey != kQtKeys.end()) {
        const auto index = static_cast<std::size_t>(watchedKey - kQtKeys.begin());
        const bool inForm = key->pressed && key->window == m_form.window();
        m_pressedInForm[index] = inForm;
        // A tap may go down and up again between two polls.
        m_pressed[index] = m_pressed[index] || inForm;
    }
    return QObject::eventFilter(watched, event);
}
