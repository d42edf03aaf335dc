#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _snd_pcm;
class SoundStream;
class StopSignal;
class WaveGain;

// One opened ALSA playback stream, set up for one sound.
class AlsaPcmOutput {
public:
    // Opens the device without waiting: a busy or missing device gives null at once.
    static std::unique_ptr<AlsaPcmOutput> open(const std::string& device, const SoundStream& sound);
    ~AlsaPcmOutput();
    AlsaPcmOutput(const AlsaPcmOutput&) = delete;
    AlsaPcmOutput& operator=(const AlsaPcmOutput&) = delete;

    // Hands the sound to the device, chunk by chunk as it is decoded, and
    // waits until it has been heard; returns early, dropping what is left,
    // once the stop signal is raised or when the device takes nothing for a
    // while. One sound per stream: a second call plays nothing.
    // Every sample is scaled by the gain as it stands when its period is written.
    void playToEnd(SoundStream& sound, const WaveGain& gain, const StopSignal& stop);

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
