#include "practice/physical_key_reader.h"

#include "platform/keyboard_state.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

std::optional<PhysicalKeyReader::Key> PhysicalKeyReader::read(const QObject* receiver, const QEvent& event)
{
    const QEvent::Type type = event.type();
    if (type == QEvent::ApplicationDeactivate) {
        // A release in another program's window never reaches us.
        m_filter.releaseAll();
        return std::nullopt;
    }
    // The widget deliveries alone: the window's own copy of an event comes in another order.
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!widget || (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease))
        return std::nullopt;
    const auto& key = static_cast<const QKeyEvent&>(event);
    if (std::find(m_followed.begin(), m_followed.end(), key.key()) == m_followed.end())
        return std::nullopt;
    if (key.nativeScanCode() != 0)
        m_scanCodes[key.key()] = key.nativeScanCode();
    const bool pressed = type != QEvent::KeyRelease;
    // Asked of the keyboard only for a release that would count.
    const auto stillDown = [&] {
        return m_filter.isDown(key.key()) && !key.isAutoRepeat() && isKeyDownOnKeyboard(m_scanCodes[key.key()]);
    };
    const KeyRepeatFilter::Change change =
        pressed ? m_filter.press(key.key(), key.timestamp(), key.isAutoRepeat())
                : m_filter.release(key.key(), key.timestamp(), key.isAutoRepeat(), stillDown());
    if (change == KeyRepeatFilter::Change::None)
        return std::nullopt;
    return Key{key.key(), key.modifiers(), pressed, widget->window()};
}
