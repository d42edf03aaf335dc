#include "alsa_pcm_output.h"

#include "stop_signal.h"

#include <alsa/asoundlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// A small buffer lets a sound start at once, also through a sound server.
constexpr unsigned kBufferMicroseconds = 50000;
// How long one wait for room in the buffer may take before the state is read again.
constexpr int kWaitSliceMs = 100;
constexpr auto kGiveUpAfter = std::chrono::seconds(1);

} // namespace

std::unique_ptr<CAlsaPcmOutput> CAlsaPcmOutput::Open(const std::string& device, const DecodedSound& sound)
{
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    std::unique_ptr<CAlsaPcmOutput> output(new CAlsaPcmOutput(pcm));
    // snd_pcm_set_params asks for periods of a quarter of the buffer.
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(sound.m_nChannels), static_cast<unsigned>(sound.m_nSampleRate),
                           1, kBufferMicroseconds) < 0)
        return nullptr;
    snd_pcm_uframes_t bufferFrames = 0;
    if (snd_pcm_get_params(pcm, &bufferFrames, &output->m_nPeriodFrames) < 0 || output->m_nPeriodFrames == 0)
        return nullptr;
    return output;
}

CAlsaPcmOutput::CAlsaPcmOutput(snd_pcm_t* pcm)
    : m_pPcm(pcm)
{
}

CAlsaPcmOutput::~CAlsaPcmOutput()
{
    snd_pcm_close(m_pPcm);
}

bool CAlsaPcmOutput::WaitForDevice(const StopSignal& stop, int timeoutMs)
{
    const int count = snd_pcm_poll_descriptors_count(m_pPcm);
    std::vector<pollfd> descriptors(static_cast<std::size_t>(std::max(count, 0)) + 1);
    descriptors[0] = {stop.GetFd(), POLLIN, 0};
    if (count > 0)
        snd_pcm_poll_descriptors(m_pPcm, descriptors.data() + 1, static_cast<unsigned>(count));
    poll(descriptors.data(), descriptors.size(), timeoutMs);
    return (descriptors[0].revents & POLLIN) == 0;
}

void CAlsaPcmOutput::PlayToEnd(const DecodedSound& sound, const StopSignal& stop)
{
    const auto channels = static_cast<std::size_t>(sound.m_nChannels);
    const std::size_t frames = sound.GetFrameCount();
    std::size_t position = 0;
    while (position < frames) {
        if (stop.IsRaised()) {
            snd_pcm_drop(m_pPcm);
            return;
        }
        // One period at a time, so that a stop is heard also on a device that
        // takes everything at once.
        const snd_pcm_sframes_t written = snd_pcm_writei(m_pPcm, sound.m_aSamples.data() + position * channels,
                                                         std::min(frames - position, m_nPeriodFrames));
        if (written == -EAGAIN) {
            if (!WaitForDevice(stop, kWaitSliceMs)) {
                snd_pcm_drop(m_pPcm);
                return;
            }
        } else if (written < 0) {
            // An underrun (the thread was held up) is recovered; anything else ends the sound.
            if (snd_pcm_recover(m_pPcm, static_cast<int>(written), 1) < 0)
                return;
        } else {
            position += static_cast<std::size_t>(written);
        }
    }

    // A sound shorter than the start threshold has not started yet.
    if (snd_pcm_state(m_pPcm) == SND_PCM_STATE_PREPARED)
        snd_pcm_start(m_pPcm);
    // Wait, still listening for the stop signal, until what is queued has been heard;
    // a device that stops making progress is given up after a grace time.
    snd_pcm_sframes_t delay = 0;
    const auto deadline = std::chrono::steady_clock::now() + kGiveUpAfter +
                          std::chrono::milliseconds(snd_pcm_delay(m_pPcm, &delay) == 0 ? delay * 1000 / sound.m_nSampleRate : 0);
    while (snd_pcm_state(m_pPcm) == SND_PCM_STATE_RUNNING && snd_pcm_delay(m_pPcm, &delay) == 0 && delay > 0 &&
           std::chrono::steady_clock::now() < deadline) {
        const auto delayMs = static_cast<int>(delay * 1000 / sound.m_nSampleRate) + 1;
        pollfd descriptor{stop.GetFd(), POLLIN, 0};
        if (poll(&descriptor, 1, std::min(delayMs, 10)) > 0) {
            snd_pcm_drop(m_pPcm);
            return;
        }
    }
    // Let the device or sound server finish its own tail.
    snd_pcm_nonblock(m_pPcm, 0);
    snd_pcm_drain(m_pPcm);
}
