#pragma once

#include "practice/key_state.h"

#include <QObject>

#include <array>

// The real key state: an application-wide event filter that follows presses
// and releases of ESC, F11 and F12 in any window of the program.
class KeyStateTracker : public QObject, public KeyState {
    Q_OBJECT
public:
    // Installs itself on the application; removed again when destroyed.
    explicit KeyStateTracker(QObject* parent = nullptr);
    ~KeyStateTracker() override;

    bool takeKeyDown(WatchedKey key) override;
    void forgetPresses() override;
    bool isKeyHeld(WatchedKey key) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<bool, 3> m_held{};
    std::array<bool, 3> m_pressed{};
};
