#include "sound/mixer_level_writer.h"

#include <alsa/asoundlib.h>

#include <memory>

namespace {

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

// A handle of its own: ALSA mixer handles must not be shared between threads.
snd_mixer_elem_t* openElement(MixerHandle& mixer, const std::string& device, const std::string& element)
{
    snd_mixer_t* opened = nullptr;
    if (snd_mixer_open(&opened, 0) < 0)
        return nullptr;
    mixer.reset(opened);
    if (snd_mixer_attach(opened, device.c_str()) < 0 || snd_mixer_selem_register(opened, nullptr, nullptr) < 0 ||
        snd_mixer_load(opened) < 0)
        return nullptr;
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, element.c_str());
    return snd_mixer_find_selem(opened, id);
}

} // namespace

MixerLevelWriter::MixerLevelWriter(std::string device, std::string element, WrittenCallback written)
    : m_written(std::move(written)),
      m_thread([this, device = std::move(device), element = std::move(element)] { run(device, element); })
{
}

MixerLevelWriter::~MixerLevelWriter()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void MixerLevelWriter::write(long raw)
{
    {
        std::lock_guard lock(m_mutex);
        m_waiting = raw;
    }
    m_changed.notify_all();
}

bool MixerLevelWriter::isIdle() const
{
    std::lock_guard lock(m_mutex);
    return !m_waiting && !m_writing;
}

void MixerLevelWriter::flush()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_waiting && !m_writing; });
}

void MixerLevelWriter::run(const std::string& device, const std::string& element)
{
    MixerHandle mixer;
    snd_mixer_elem_t* target = openElement(mixer, device, element);
    std::unique_lock lock(m_mutex);
    for (;;) {
        // Quitting only once nothing waits: the last level asked for is written also at exit.
        m_changed.wait(lock, [this] { return m_waiting || m_quit; });
        if (!m_waiting)
            return;
        const long raw = *m_waiting;
        m_waiting.reset();
        m_writing = true;
        lock.unlock();
        if (target && snd_mixer_selem_set_playback_volume_all(target, raw) >= 0 && m_written)
            m_written(raw);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}
