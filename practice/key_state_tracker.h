#pragma once

#include "practice/key_state.h"
#include "practice/physical_key_reader.h"

#include <QObject>

#include <array>

// The real key state: an application-wide event filter that follows ESC,
// F11 and F12 pressed in the form's window and let go anywhere. A key that
// a dialog or a menu took is none of the form's.
class KeyStateTracker : public QObject, public KeyState {
    Q_OBJECT
public:
    // Installs itself on the application; removed again when destroyed.
    explicit KeyStateTracker(const QWidget& form);
    ~KeyStateTracker() override;

    bool takeKeyDown(WatchedKey key) override;
    void forgetPresses() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QWidget& m_form;
    PhysicalKeyReader m_keys;
    std::array<bool, 3> m_pressedInForm{}; // and not let go since
    std::array<bool, 3> m_pressed{};       // since the last poll
};
