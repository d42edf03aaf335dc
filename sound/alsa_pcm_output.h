#pragma once

#include "sound/decoded_sound.h"

#include <memory>
#include <string>
#include <vector>

struct _snd_pcm;
class StopSignal;
class WaveGain;

// One opened ALSA playback stream, set up for one decoded sound.
class AlsaPcmOutput {
public:
    // Opens the device without waiting: a busy or missing device gives null at once.
    static std::unique_ptr<AlsaPcmOutput> open(const std::string& device, const DecodedSound& sound);
    ~AlsaPcmOutput();
    AlsaPcmOutput(const AlsaPcmOutput&) = delete;
    AlsaPcmOutput& operator=(const AlsaPcmOutput&) = delete;

    // Hands the samples to the device and waits until they have been heard;
    // returns early, dropping what is left, once the stop signal is raised or
    // when the device takes nothing for a while. One sound per stream: a
    // second call plays nothing.
    // Every sample is scaled by the gain as it stands when its period is written.
    void playToEnd(const DecodedSound& sound, const WaveGain& gain, const StopSignal& stop);

private:
    explicit AlsaPcmOutput(_snd_pcm* pcm);
    // Both return false as soon as the stop signal is raised.
    bool waitForRoom(const StopSignal& stop);
    bool waitUntilHeard(int sampleRate, const StopSignal& stop);
    void drainAndClose();

    _snd_pcm* m_pcm;
    unsigned long m_periodFrames = 0;
    std::vector<std::int16_t> m_scaled; // one period, as the device gets it
};
