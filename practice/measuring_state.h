#pragma once

#include <QObject>

// Whether the measuring mode is on, for the windows that follow it. The mode
// itself is built without Qt; the main form passes its changes on here.
class MeasuringState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool isActive() const { return m_active; }
    // For the mode's owner: emits activeChanged when the state really changes.
    void setActive(bool active);

signals:
    void activeChanged(bool active);

private:
    bool m_active = false;
};
