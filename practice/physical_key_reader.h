#pragma once

#include "practice/key_repeat_filter.h"

#include <Qt>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

class QEvent;
class QObject;
class QWidget;

// Finds the presses and releases of keys on the keyboard among the key
// events an application-wide event filter sees: each once, though Qt hands
// a press on as a shortcut override and then to the focus widget and its
// parents, and never a key repeat. Only the keys it follows: a release may
// have to ask the X server whether the key is up.
class PhysicalKeyReader {
public:
    explicit PhysicalKeyReader(std::vector<int> keys) : m_followed(std::move(keys)) { }

    struct Key {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        bool pressed = false;            // else released
        const QWidget* window = nullptr; // the window the key went to
    };

    std::optional<Key> read(const QObject* receiver, const QEvent& event);
    bool isDown(int key) const { return m_filter.isDown(key); }

private:
    const std::vector<int> m_followed;
    KeyRepeatFilter m_filter;
    // The keyboard's code of each key, from the first delivery of a press:
    // the copies a screen reader's bridge delivers lack it.
    std::map<int, std::uint32_t> m_scanCodes;
};
