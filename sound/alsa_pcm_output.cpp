#include "sound/alsa_pcm_output.h"

#include "sound/sound_stream.h"
#include "sound/stop_signal.h"
#include "sound/wave_gain.h"

#include <alsa/asoundlib.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <span>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace {

// A small buffer lets a sound start at once, also through a sound server.
constexpr unsigned kBufferMicroseconds = 50000;
// How long one wait for room in the buffer may take before the state is read again.
constexpr int kWaitSliceMs = 100;
// How often the queue is read while the last samples play out.
constexpr long kHeardPollMs = 10;
constexpr auto kGiveUpAfter = std::chrono::seconds(1);
// A device that takes no samples is given up after this grace time: a
// synchronous sound would otherwise hold its caller for as long as it stands
// still. A sound server may take the first samples only after its own
// latency, PulseAudio's null sink two seconds after a stream starts.
constexpr auto kGiveUpWritingAfter = std::chrono::seconds(5);

} // namespace

std::unique_ptr<AlsaPcmOutput> AlsaPcmOutput::open(const std::string& device, const SoundStream& sound)
{
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, device.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0)
        return nullptr;
    std::unique_ptr<AlsaPcmOutput> output(new AlsaPcmOutput(pcm));
    // snd_pcm_set_params asks for periods of a quarter of the buffer.
    if (snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(sound.channels()), static_cast<unsigned>(sound.sampleRate()), 1,
                           kBufferMicroseconds) < 0)
        return nullptr;
    snd_pcm_uframes_t bufferFrames = 0;
    if (snd_pcm_get_params(pcm, &bufferFrames, &output->m_periodFrames) < 0 || output->m_periodFrames == 0)
        return nullptr;
    return output;
}

AlsaPcmOutput::AlsaPcmOutput(snd_pcm_t* pcm) : m_pcm(pcm)
{
}

AlsaPcmOutput::~AlsaPcmOutput()
{
    if (m_pcm)
        snd_pcm_close(m_pcm);
}

bool AlsaPcmOutput::waitForRoom(const StopSignal& stop)
{
    const int count = snd_pcm_poll_descriptors_count(m_pcm);
    std::vector<pollfd> descriptors(static_cast<std::size_t>(std::max(count, 0)) + 1);
    descriptors[0] = {stop.fd(), POLLIN, 0};
    if (count > 0)
        snd_pcm_poll_descriptors(m_pcm, descriptors.data() + 1, static_cast<unsigned>(count));
    poll(descriptors.data(), descriptors.size(), kWaitSliceMs);
    return (descriptors[0].revents & POLLIN) == 0;
}

bool AlsaPcmOutput::waitUntilHeard(int sampleRate, const StopSignal& stop)
{
    const auto queuedMs = [this, sampleRate]() -> long {
        snd_pcm_sframes_t delay = 0;
        if (snd_pcm_state(m_pcm) != SND_PCM_STATE_RUNNING || snd_pcm_delay(m_pcm, &delay) < 0)
            return 0;
        return std::max<long>(delay, 0) * 1000 / sampleRate;
    };
    // A device that stops making progress is given up after a grace time.
    const auto deadline = std::chrono::steady_clock::now() + kGiveUpAfter + std::chrono::milliseconds(queuedMs());
    for (long remaining = queuedMs(); remaining > 0 && std::chrono::steady_clock::now() < deadline;
         remaining = queuedMs()) {
        pollfd descriptor{stop.fd(), POLLIN, 0};
        if (poll(&descriptor, 1, static_cast<int>(std::min(remaining + 1, kHeardPollMs))) > 0)
            return false;
    }
    return true;
}

void AlsaPcmOutput::playToEnd(SoundStream& sound, const WaveGain& gain, const StopSignal& stop)
{
    if (!m_pcm)
        return;
    const auto channels = static_cast<std::size_t>(sound.channels());
    // The next chunk is decoded once the device has taken the last: what it
    // holds keeps it playing meanwhile.
    std::span<const std::int16_t> pending = sound.chunk();
    auto giveUpAt = std::chrono::steady_clock::now() + kGiveUpWritingAfter;
    while (!pending.empty()) {
        if (stop.isRaised() || std::chrono::steady_clock::now() >= giveUpAt) {
            snd_pcm_drop(m_pcm);
            return;
        }
        // One period at a time, so that a stop is heard also on a device that
        // takes everything at once. The samples are scaled in a copy, so that
        // a write the device refuses can be made again.
        const std::size_t count = std::min(pending.size() / channels, m_periodFrames);
        m_scaled.assign(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(count * channels));
        gain.apply(m_scaled);
        const snd_pcm_sframes_t written = snd_pcm_writei(m_pcm, m_scaled.data(), count);
        if (written == -EAGAIN) {
            if (!waitForRoom(stop)) {
                snd_pcm_drop(m_pcm);
                return;
            }
        } else if (written < 0) {
            // An underrun (the thread was held up) is recovered; anything else ends the sound.
            if (snd_pcm_recover(m_pcm, static_cast<int>(written), 1) < 0)
                return;
        } else {
            pending = pending.subspan(static_cast<std::size_t>(written) * channels);
            if (pending.empty()) {
                sound.decodeNext();
                pending = sound.chunk();
            }
            giveUpAt = std::chrono::steady_clock::now() + kGiveUpWritingAfter;
        }
    }

    // A sound shorter than the start threshold has not started yet.
    if (snd_pcm_state(m_pcm) == SND_PCM_STATE_PREPARED)
        snd_pcm_start(m_pcm);
    if (!waitUntilHeard(sound.sampleRate(), stop)) {
        snd_pcm_drop(m_pcm);
        return;
    }
    drainAndClose();
}

void AlsaPcmOutput::drainAndClose()
{
    // The device or sound server finishes its own tail, as before any other
    // sound may open the device. A stream that stands still, as on a suspended
    // sound server, never drains: after a grace time the caller goes on, and
    // the drain is left to a thread of its own that closes the stream once
    // the drain ends.
    snd_pcm_t* pcm = std::exchange(m_pcm, nullptr);
    snd_pcm_nonblock(pcm, 0);
    const auto drainAndCloseNow = [pcm] {
        snd_pcm_drain(pcm);
        snd_pcm_close(pcm);
    };
    std::promise<void> closed;
    std::future<void> hasClosed = closed.get_future();
    try {
        std::thread([drainAndCloseNow, closed = std::move(closed)]() mutable {
            drainAndCloseNow();
            closed.set_value();
        }).detach();
    } catch (const std::system_error&) {
        drainAndCloseNow(); // no thread to spare: the caller waits, as it always did
        return;
    }
    hasClosed.wait_for(kGiveUpWritingAfter);
}
