#pragma once

#include "decoded_sound.h"

#include <memory>
#include <string>

struct _snd_pcm;
class StopSignal;

// One opened ALSA playback stream, set up for one decoded sound.
class CAlsaPcmOutput {
public:
    // Opens the device without waiting: a busy or missing device gives null at once.
    static std::unique_ptr<CAlsaPcmOutput> Open(const std::string& device, const DecodedSound& sound);
    ~CAlsaPcmOutput();
    CAlsaPcmOutput(const CAlsaPcmOutput&) = delete;
    CAlsaPcmOutput& operator=(const CAlsaPcmOutput&) = delete;

    // Hands the samples to the device and waits until they have been heard;
    // returns early, dropping what is left, once the stop signal is raised.
    void PlayToEnd(const DecodedSound& sound, const StopSignal& stop);

private:
    explicit CAlsaPcmOutput(_snd_pcm* pcm);
    bool WaitForDevice(const StopSignal& stop, int timeoutMs);

    _snd_pcm* m_pPcm;
    unsigned long m_nPeriodFrames = 0;
};
