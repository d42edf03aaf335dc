#include "alsa_sound_player.h"

#include "alsa_pcm_output.h"
#include "decoded_sound.h"
#include "sound_manager.h"
#include "stop_signal.h"

#include <alsa/asoundlib.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

constexpr const char* kDeviceVariable = "JHAVARI_ALSA_DEVICE";

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...)
{
}

// Plays decoded sounds: an asynchronous one on the worker thread, a
// synchronous one on the caller's thread. Called from one thread only.
class CAlsaSoundPlayer final : public ISoundPlayer {
public:
    explicit CAlsaSoundPlayer(std::string device);
    ~CAlsaSoundPlayer() override;

    void Prepare(CSoundData& sound) override;
    bool Play(const CSoundData& sound, bool async) override;
    void Stop() override;

private:
    struct Job {
        std::unique_ptr<CAlsaPcmOutput> output;
        // Keeps the samples alive while they play, even when the store lets go of them.
        std::shared_ptr<const DecodedSound> sound;
    };

    void RunWorker();

    const std::string m_strDevice;
    StopSignal m_stop;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Job m_pending;              // handed from Play to the worker
    bool m_bBusy = false;       // a job is pending or playing
    bool m_bQuit = false;
    std::thread m_worker;
};

CAlsaSoundPlayer::CAlsaSoundPlayer(std::string device)
    : m_strDevice(std::move(device))
    , m_worker([this] { RunWorker(); })
{
}

CAlsaSoundPlayer::~CAlsaSoundPlayer()
{
    Stop();
    {
        std::lock_guard lock(m_mutex);
        m_bQuit = true;
    }
    m_changed.notify_all();
    m_worker.join();
}

void CAlsaSoundPlayer::Prepare(CSoundData& sound)
{
    sound.m_pPrepared = sound.m_pImage ? DecodeSoundImage(*sound.m_pImage) : nullptr;
}

bool CAlsaSoundPlayer::Play(const CSoundData& sound, bool async)
{
    // A new sound, even a silent one, replaces the one that is running.
    Stop();
    auto decoded = std::static_pointer_cast<const DecodedSound>(sound.m_pPrepared);
    if (!decoded)
        return false;
    auto output = CAlsaPcmOutput::Open(m_strDevice, *decoded);
    if (!output)
        return false;
    if (!async) {
        output->PlayToEnd(*decoded, m_stop);
        return true;
    }
    {
        std::lock_guard lock(m_mutex);
        m_pending = Job{std::move(output), std::move(decoded)};
        m_bBusy = true;
    }
    m_changed.notify_all();
    return true;
}

void CAlsaSoundPlayer::Stop()
{
    std::unique_lock lock(m_mutex);
    if (!m_bBusy)
        return;
    m_stop.Raise();
    m_changed.wait(lock, [this] { return !m_bBusy; });
    m_stop.Clear();
}

void CAlsaSoundPlayer::RunWorker()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_bQuit || m_pending.output; });
        if (m_bQuit)
            return;
        Job job = std::move(m_pending);
        lock.unlock();
        job.output->PlayToEnd(*job.sound, m_stop);
        job = Job{}; // closes the device before the next sound may open it
        lock.lock();
        m_bBusy = false;
        m_changed.notify_all();
    }
}

} // namespace

std::shared_ptr<ISoundPlayer> CreateAlsaSoundPlayer()
{
    static std::once_flag silenced;
    std::call_once(silenced, [] { snd_lib_error_set_handler(IgnoreAlsaError); });
    const char* device = std::getenv(kDeviceVariable);
    return std::make_shared<CAlsaSoundPlayer>(device && *device ? device : "default");
}
