#include "sound/wave_volume.h"

#include <utility>

WaveVolume::WaveVolume(std::shared_ptr<WaveGain> gain, QObject* parent) : VolumeControl(parent), m_gain(std::move(gain))
{
}

void WaveVolume::setLevel(int level)
{
    const int before = m_gain->level();
    m_gain->setLevel(level);
    const int after = m_gain->level();
    // Reported like a mixer's change: later, from the event loop.
    if (after != before)
        QMetaObject::invokeMethod(
            this, [this, after] { emit levelChanged(after); }, Qt::QueuedConnection);
}

void WaveVolume::restoreSavedLevel()
{
    if (level() != m_savedLevel)
        setLevel(m_savedLevel);
}
