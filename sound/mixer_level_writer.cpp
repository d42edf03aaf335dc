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

struct ControlCloser {
    void operator()(snd_ctl_t* control) const { snd_ctl_close(control); }
};
using ControlHandle = std::unique_ptr<snd_ctl_t, ControlCloser>;

// The element's volume as one control of all its channels, written in one
// request: the simple mixer writes a level one channel after the other, and a
// sound server would hold it half written, or undo half of a change made
// elsewhere meanwhile. Unusable when the element's volume has another form.
class WholeVolume {
public:
    WholeVolume(const std::string& device, const std::string& element)
    {
        snd_ctl_t* opened = nullptr;
        if (snd_ctl_open(&opened, device.c_str(), 0) < 0)
            return;
        m_control.reset(opened);
        snd_ctl_elem_id_t* id = nullptr;
        snd_ctl_elem_id_alloca(&id);
        snd_ctl_elem_id_set_interface(id, SND_CTL_ELEM_IFACE_MIXER);
        snd_ctl_elem_id_set_name(id, (element + " Playback Volume").c_str());
        snd_ctl_elem_info_t* info = nullptr;
        snd_ctl_elem_info_alloca(&info);
        snd_ctl_elem_info_set_id(info, id);
        if (snd_ctl_elem_info(opened, info) < 0 || snd_ctl_elem_info_get_type(info) != SND_CTL_ELEM_TYPE_INTEGER ||
            !snd_ctl_elem_info_is_writable(info))
            return;
        m_channels = snd_ctl_elem_info_get_count(info);
        snd_ctl_elem_value_malloc(&m_value);
        snd_ctl_elem_info_get_id(info, id);
        snd_ctl_elem_value_set_id(m_value, id);
    }
    ~WholeVolume() { snd_ctl_elem_value_free(m_value); }
    WholeVolume(const WholeVolume&) = delete;
    WholeVolume& operator=(const WholeVolume&) = delete;

    bool isUsable() const { return m_value && m_channels > 0; }

    bool write(long raw)
    {
        for (unsigned int channel = 0; channel < m_channels; ++channel)
            snd_ctl_elem_value_set_integer(m_value, channel, raw);
        return snd_ctl_elem_write(m_control.get(), m_value) >= 0;
    }

private:
    ControlHandle m_control;
    snd_ctl_elem_value_t* m_value = nullptr;
    unsigned int m_channels = 0;
};

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
    WholeVolume wholeVolume(device, element);
    MixerHandle mixer;
    snd_mixer_elem_t* target = wholeVolume.isUsable() ? nullptr : openElement(mixer, device, element);
    const auto writeLevel = [&](long raw) {
        if (wholeVolume.isUsable())
            return wholeVolume.write(raw);
        return target && snd_mixer_selem_set_playback_volume_all(target, raw) >= 0;
    };
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
        if (writeLevel(raw) && m_written)
            m_written(raw);
        lock.lock();
        m_writing = false;
        m_changed.notify_all();
    }
}
