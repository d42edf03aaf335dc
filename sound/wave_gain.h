#pragma once

#include <atomic>
#include <cstdint>
#include <span>

// The level at which this program's own sounds are played: a linear gain from
// 0 (silent) to kFullLevel (samples unchanged). Set on the user-interface
// thread, read by the sound back end's playing thread for every block it writes.
class WaveGain {
public:
    static constexpr int kFullLevel = 65535;

    int level() const { return m_level.load(std::memory_order_relaxed); }
    // Limited to 0..kFullLevel.
    void setLevel(int level);

    // Scales interleaved samples in place; at kFullLevel they stay bit for bit as they are.
    void apply(std::span<std::int16_t> samples) const { scale(samples, level()); }
    void apply(std::span<float> samples) const { scale(samples, level()); }

    static void scale(std::span<std::int16_t> samples, int level);
    static void scale(std::span<float> samples, int level);

private:
    std::atomic<int> m_level{kFullLevel};
};
