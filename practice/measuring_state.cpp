#include "practice/measuring_state.h"

void MeasuringState::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    emit activeChanged(active);
}
