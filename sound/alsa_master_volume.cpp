#include "sound/alsa_master_volume.h"

#include "sound/mixer_level_writer.h"

#include <QSocketNotifier>

#include <alsa/asoundlib.h>
#include <poll.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace {

constexpr const char* kDeviceVariable = "JHAVARI_ALSA_MIXER";
constexpr const char* kElementName = "Master";
// Steps written here whose echoes are still told apart from changes made
// elsewhere; a server that is this far behind has lost some.
constexpr std::size_t kRememberedWrites = 64;
// How often the mixer is checked for, and looked for once it is gone.
constexpr int kWatchPeriodMs = 2000;

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...)
{
}

// A machine without a mixer stays quiet; the object simply reports no control.
void silenceAlsaErrors()
{
    static std::once_flag silenced;
    std::call_once(silenced, [] { snd_lib_error_set_handler(ignoreAlsaError); });
}

} // namespace

QString AlsaMasterVolume::defaultDevice()
{
    const QString device = qEnvironmentVariable(kDeviceVariable);
    return device.isEmpty() ? QStringLiteral("default") : device;
}

AlsaMasterVolume::AlsaMasterVolume(QObject* parent, Opening opening) : VolumeControl(parent)
{
    if (opening == Opening::AtOnce)
        open(defaultDevice());
}

AlsaMasterVolume::AlsaMasterVolume(const QString& device, QObject* parent) : VolumeControl(parent)
{
    open(device);
}

AlsaMasterVolume::~AlsaMasterVolume()
{
    close();
}

void AlsaMasterVolume::open(const QString& device)
{
    silenceAlsaErrors();
    m_device = device;
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0)
        return;
    m_mixer = mixer;
    if (snd_mixer_attach(mixer, device.toLocal8Bit().constData()) < 0 ||
        snd_mixer_selem_register(mixer, nullptr, nullptr) < 0 || snd_mixer_load(mixer) < 0) {
        close();
        return;
    }

    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, kElementName);
    m_element = snd_mixer_find_selem(mixer, id);
    if (!m_element) {
        close();
        return;
    }
    m_hasVolume = snd_mixer_selem_has_playback_volume(m_element) &&
                  snd_mixer_selem_get_playback_volume_range(m_element, &m_rawMinimum, &m_rawMaximum) >= 0 &&
                  m_rawMaximum > m_rawMinimum;
    m_lastReported = rawVolume();
    if (m_hasVolume) {
        m_writer = std::make_unique<MixerLevelWriter>(device.toStdString(), kElementName, [this](long raw) {
            QMetaObject::invokeMethod(
                this, [this, raw] { ownWriteDone(raw); }, Qt::QueuedConnection);
        });
    }
    snd_mixer_elem_set_callback_private(m_element, this);
    snd_mixer_elem_set_callback(m_element, &AlsaMasterVolume::elementChanged);

    const int count = snd_mixer_poll_descriptors_count(mixer);
    std::vector<pollfd> descriptors(static_cast<std::size_t>(std::max(count, 0)));
    if (count > 0)
        descriptors.resize(static_cast<std::size_t>(
            std::max(snd_mixer_poll_descriptors(mixer, descriptors.data(), static_cast<unsigned>(count)), 0)));
    for (const pollfd& descriptor : descriptors) {
        if (!(descriptor.events & POLLIN))
            continue;
        auto notifier = std::make_unique<QSocketNotifier>(descriptor.fd, QSocketNotifier::Read);
        connect(notifier.get(), &QSocketNotifier::activated, this, &AlsaMasterVolume::handleMixerEvents);
        m_notifiers.push_back(std::move(notifier));
    }
    m_watch.setInterval(kWatchPeriodMs);
    connect(&m_watch, &QTimer::timeout, this, &AlsaMasterVolume::watchMixer, Qt::UniqueConnection);
    m_watch.start();
}

void AlsaMasterVolume::watchMixer()
{
    // The sound server's plug-in wakes nobody when the server goes: only a
    // look at the events (ALSA reads a mixer's events without waiting) shows
    // that the connection broke.
    if (m_mixer) {
        handleMixerEvents();
        return;
    }
    open(m_device);
    if (m_element)
        emit opened();
}

void AlsaMasterVolume::openNow()
{
    if (m_mixer)
        return;
    open(defaultDevice());
    if (m_element)
        emit opened();
}

void AlsaMasterVolume::close()
{
    // Writes a level still waiting, such as the one restored at exit.
    m_writer.reset();
    m_notifiers.clear();
    m_element = nullptr;
    m_hasVolume = false;
    m_ownWrites.clear();
    if (m_mixer)
        snd_mixer_close(m_mixer);
    m_mixer = nullptr;
}

int AlsaMasterVolume::elementChanged(snd_mixer_elem_t* element, unsigned int mask)
{
    auto* self = static_cast<AlsaMasterVolume*>(snd_mixer_elem_get_callback_private(element));
    if (mask == SND_CTL_EVENT_MASK_REMOVE) {
        // The sound server or card went away; ALSA frees the element after this call.
        self->m_element = nullptr;
        self->m_hasVolume = false;
    } else if (mask & SND_CTL_EVENT_MASK_VALUE) {
        self->m_elementTouched = true;
    }
    return 0;
}

void AlsaMasterVolume::handleMixerEvents()
{
    m_elementTouched = false;
    if (snd_mixer_handle_events(m_mixer) < 0 || !m_element) {
        // The connection broke or the element went: the watch opens the mixer again once it is back.
        close();
        return;
    }
    // The element also holds the mute switch, whose changes are not a level change.
    if (!m_elementTouched || !m_hasVolume)
        return;
    const std::optional<long> raw = rawVolume();
    if (!raw)
        return;
    if (const std::optional<long> requested = requestedRaw()) {
        // An echo of an earlier step would set the slider back.
        if (*raw != *requested && std::find(m_ownWrites.begin(), m_ownWrites.end(), *raw) != m_ownWrites.end())
            return;
        // The last step shown, or a level another program set after it.
        if (m_writer->isIdle())
            m_ownWrites.clear();
    }
    reportVolume(*raw);
}

// A level written after a newer one was asked for is not told.
void AlsaMasterVolume::ownWriteDone(long raw)
{
    if (raw == requestedRaw())
        reportVolume(raw);
}

std::optional<long> AlsaMasterVolume::requestedRaw() const
{
    if (m_ownWrites.empty())
        return std::nullopt;
    return m_ownWrites.back();
}

// Each volume is told once, whether the writer or the mixer tells it first.
void AlsaMasterVolume::reportVolume(long raw)
{
    if (raw == m_lastReported)
        return;
    m_lastReported = raw;
    emit levelChanged(levelFor(raw));
}

std::optional<long> AlsaMasterVolume::rawVolume() const
{
    long value = 0;
    if (!m_hasVolume || snd_mixer_selem_get_playback_volume(m_element, SND_MIXER_SCHN_FRONT_LEFT, &value) < 0)
        return std::nullopt;
    return value;
}

bool AlsaMasterVolume::hasVolumeControl() const
{
    return m_hasVolume;
}

void AlsaMasterVolume::setSwitch(bool on)
{
    if (m_element && snd_mixer_selem_has_playback_switch(m_element))
        snd_mixer_selem_set_playback_switch_all(m_element, on ? 1 : 0);
}

int AlsaMasterVolume::stepCount() const
{
    return m_hasVolume ? static_cast<int>(std::min<long>(m_rawMaximum - m_rawMinimum, INT32_MAX)) : -1;
}

int AlsaMasterVolume::minimumLevel() const
{
    return m_hasVolume ? 0 : -1;
}

int AlsaMasterVolume::maximumLevel() const
{
    return m_hasVolume ? kFullLevel : -1;
}

std::optional<long> AlsaMasterVolume::currentRawVolume() const
{
    const std::optional<long> requested = requestedRaw();
    return requested && m_hasVolume ? requested : rawVolume();
}

int AlsaMasterVolume::level() const
{
    const std::optional<long> raw = currentRawVolume();
    return raw ? levelFor(*raw) : -1;
}

int AlsaMasterVolume::levelFor(long raw) const
{
    const double share = static_cast<double>(raw - m_rawMinimum) / static_cast<double>(m_rawMaximum - m_rawMinimum);
    return std::clamp(static_cast<int>(std::lround(share * kFullLevel)), 0, kFullLevel);
}

void AlsaMasterVolume::setLevel(int level)
{
    if (!m_hasVolume)
        return;
    const double share = static_cast<double>(std::clamp(level, 0, kFullLevel)) / kFullLevel;
    writeRaw(m_rawMinimum + std::lround(share * static_cast<double>(m_rawMaximum - m_rawMinimum)));
}

void AlsaMasterVolume::restoreSavedLevel()
{
    if (m_hasVolume && m_savedRaw)
        writeRaw(*m_savedRaw);
}

void AlsaMasterVolume::writeRaw(long raw)
{
    if (raw == currentRawVolume())
        return;
    if (m_ownWrites.size() == kRememberedWrites)
        m_ownWrites.erase(m_ownWrites.begin());
    m_ownWrites.push_back(raw);
    m_writer->write(raw);
}
