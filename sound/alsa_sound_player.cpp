#include "sound/alsa_sound_player.h"

#include "sound/alsa_pcm_output.h"
#include "sound/sound_store.h"
#include "sound/sound_stream.h"
#include "sound/stop_signal.h"

#include <alsa/asoundlib.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

constexpr const char* kDeviceVariable = "JHAVARI_ALSA_DEVICE";

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...)
{
}

// Plays sounds as they are decoded: an asynchronous one on the worker thread,
// a synchronous one on the caller's thread. Called from one thread only.
class AlsaSoundPlayer final : public SoundPlayer {
public:
    AlsaSoundPlayer(std::string device, std::shared_ptr<const WaveGain> gain);
    ~AlsaSoundPlayer() override;

    bool play(const StoredSound& sound, bool async) override;
    bool playInTurn(const std::vector<const StoredSound*>& sounds) override;
    void stop() override;
    bool isPlaying() const override;

private:
    struct Job {
        // Opened for the first sound; the device is opened anew for each later one.
        std::unique_ptr<AlsaPcmOutput> output;
        // Each keeps its bytes while it plays, even when the store lets go of them.
        std::vector<std::unique_ptr<SoundStream>> sounds;
    };

    // Hands a job to the worker, unless its first sound finds the device busy.
    bool startJob(std::vector<std::unique_ptr<SoundStream>> sounds);
    void runWorker();

    const std::string m_device;
    const std::shared_ptr<const WaveGain> m_gain;
    StopSignal m_stop;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    Job m_pending;       // handed from Play to the worker
    bool m_busy = false; // a job is pending or playing
    bool m_quit = false;
    std::thread m_worker;
};

AlsaSoundPlayer::AlsaSoundPlayer(std::string device, std::shared_ptr<const WaveGain> gain)
    : m_device(std::move(device)), m_gain(std::move(gain)), m_worker([this] {
          // ALSA's configuration, with the plug-ins it loads, is read here
          // rather than at the first event sound or on the caller's way.
          snd_config_update();
          runWorker();
      })
{
}

AlsaSoundPlayer::~AlsaSoundPlayer()
{
    stop();
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

bool AlsaSoundPlayer::play(const StoredSound& sound, bool async)
{
    // A new sound, even a silent one, replaces the one that is running.
    stop();
    // Its first chunk is decoded here, ready to be written as soon as the device is open.
    std::unique_ptr<SoundStream> stream = SoundStream::open(sound.bytes());
    if (!stream)
        return false;
    if (async) {
        std::vector<std::unique_ptr<SoundStream>> job;
        job.push_back(std::move(stream));
        return startJob(std::move(job));
    }
    auto output = AlsaPcmOutput::open(m_device, *stream);
    if (!output)
        return false;
    output->playToEnd(*stream, *m_gain, m_stop);
    return true;
}

bool AlsaSoundPlayer::playInTurn(const std::vector<const StoredSound*>& sounds)
{
    stop();
    std::vector<std::unique_ptr<SoundStream>> streams;
    for (const StoredSound* sound : sounds)
        if (std::unique_ptr<SoundStream> stream = SoundStream::open(sound->bytes()))
            streams.push_back(std::move(stream));
    return !streams.empty() && startJob(std::move(streams));
}

bool AlsaSoundPlayer::startJob(std::vector<std::unique_ptr<SoundStream>> sounds)
{
    auto output = AlsaPcmOutput::open(m_device, *sounds.front());
    if (!output)
        return false;
    {
        std::lock_guard lock(m_mutex);
        m_pending = Job{std::move(output), std::move(sounds)};
        m_busy = true;
    }
    m_changed.notify_all();
    return true;
}

void AlsaSoundPlayer::stop()
{
    std::unique_lock lock(m_mutex);
    if (!m_busy)
        return;
    m_stop.raise();
    m_changed.wait(lock, [this] { return !m_busy; });
    m_stop.clear();
}

bool AlsaSoundPlayer::isPlaying() const
{
    std::lock_guard lock(m_mutex);
    return m_busy;
}

void AlsaSoundPlayer::runWorker()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || m_pending.output; });
        if (m_quit)
            return;
        Job job = std::move(m_pending);
        lock.unlock();
        job.output->playToEnd(*job.sounds.front(), *m_gain, m_stop);
        for (std::size_t next = 1; next < job.sounds.size() && !m_stop.isRaised(); ++next) {
            job.output.reset(); // closed before it opens for the next sound, whose format may differ
            job.output = AlsaPcmOutput::open(m_device, *job.sounds[next]);
            if (job.output)
                job.output->playToEnd(*job.sounds[next], *m_gain, m_stop);
        }
        job = Job{}; // closes the device before the next sound may open it
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

} // namespace

std::shared_ptr<SoundPlayer> createAlsaSoundPlayer(std::shared_ptr<const WaveGain> gain)
{
    static std::once_flag silenced;
    std::call_once(silenced, [] { snd_lib_error_set_handler(ignoreAlsaError); });
    const char* device = std::getenv(kDeviceVariable);
    return std::make_shared<AlsaSoundPlayer>(device && *device ? device : "default", std::move(gain));
}
