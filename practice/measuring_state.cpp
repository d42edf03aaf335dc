#include "practice/measuring_state.h"

#include <utility>

void MeasuringState::setPhase(MeasuringPhase phase)
{
    if (phase == m_phase)
        return;
    const MeasuringPhase previous = std::exchange(m_phase, phase);
    emit phaseChanged(previous, phase);
    if ((previous == MeasuringPhase::Off) != (phase == MeasuringPhase::Off))
        emit activeChanged(isActive());
}
