#include "sound/wave_gain.h"

#include <algorithm>

void WaveGain::setLevel(int level)
{
    m_level.store(std::clamp(level, 0, kFullLevel), std::memory_order_relaxed);
}

void WaveGain::scale(std::span<std::int16_t> samples, int level)
{
    level = std::clamp(level, 0, kFullLevel);
    if (level == kFullLevel)
        return;
    for (std::int16_t& sample : samples)
        sample = static_cast<std::int16_t>(std::int32_t{sample} * level / kFullLevel);
}

void WaveGain::scale(std::span<float> samples, int level)
{
    level = std::clamp(level, 0, kFullLevel);
    if (level == kFullLevel)
        return;
    const float factor = static_cast<float>(level) / kFullLevel;
    for (float& sample : samples)
        sample *= factor;
}
