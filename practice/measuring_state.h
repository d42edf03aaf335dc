#pragma once

#include "practice/measuring_mode.h"

#include <QObject>

// The measuring mode's phase for the Qt side: the form and the windows that
// follow the mode. The mode itself is built without Qt; its view passes the
// changes on here.
class MeasuringState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    MeasuringPhase phase() const { return m_phase; }
    bool isActive() const { return m_phase != MeasuringPhase::Off; }
    // For the mode's view: emits the signals when the phase really changes.
    void setPhase(MeasuringPhase phase);

signals:
    void phaseChanged(MeasuringPhase previous, MeasuringPhase phase);
    void activeChanged(bool active);

private:
    MeasuringPhase m_phase = MeasuringPhase::Off;
};
