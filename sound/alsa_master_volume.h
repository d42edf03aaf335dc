#pragma once

#include "sound/volume_control.h"

#include <QString>
#include <QTimer>

#include <memory>
#include <optional>
#include <vector>

class MixerLevelWriter;
class QSocketNotifier;
struct _snd_mixer;
struct _snd_mixer_elem;

// The sound system's master output level: the simple mixer element "Master" of
// an ALSA control device. Through ALSA's PulseAudio/PipeWire plug-in this is
// the desktop's output volume. The element's own range is mapped linearly onto
// 0..65535. New levels are written on a thread of their own, so a slow sound
// server never holds up the caller. Changes by any program, this one included,
// arrive on the event loop of the thread that made the object. A mixer that
// goes away (the sound server restarted, the card unplugged) is looked for
// again until it is back, and then told through opened().
class AlsaMasterVolume : public VolumeControl {
    Q_OBJECT

public:
    // The control device named by JHAVARI_ALSA_MIXER, else "default".
    static QString defaultDevice();
    // Opening the device reaches the sound server, which can take a while:
    // a program may show its window first.
    enum class Opening { AtOnce, Later };

    explicit AlsaMasterVolume(QObject* parent = nullptr, Opening opening = Opening::AtOnce);
    AlsaMasterVolume(const QString& device, QObject* parent);
    ~AlsaMasterVolume() override;

    bool hasVolumeControl() const override;
    void switchOn() override { setSwitch(true); }
    void switchOff() override { setSwitch(false); }
    // The number of steps of the element's own range.
    int stepCount() const override;
    int minimumLevel() const override;
    int maximumLevel() const override;
    int level() const override;
    void setLevel(int level) override;
    // The raw volume of the element itself: the mapping onto 0..65535 would
    // not give it back exactly.
    void saveLevel() override { m_savedRaw = currentRawVolume(); }
    void restoreSavedLevel() override;
    // Opens the default device left for later and tells so through opened().
    void openNow();

private:
    static int elementChanged(_snd_mixer_elem* element, unsigned int mask);

    void open(const QString& device);
    void close();
    // Checks that the mixer is still there; once it is gone, tries to open it again.
    void watchMixer();
    void setSwitch(bool on);
    void handleMixerEvents();
    // The volume as the mixer last told it.
    std::optional<long> rawVolume() const;
    // Also a volume asked for that the mixer has not yet confirmed.
    std::optional<long> currentRawVolume() const;
    int levelFor(long raw) const;
    // Hands the volume to the writer unless the element stands there already.
    void writeRaw(long raw);
    void ownWriteDone(long raw);
    // The volume asked for last, written or waiting to be, while the mixer has not settled on a level.
    std::optional<long> requestedRaw() const;
    void reportVolume(long raw);

    QString m_device; // the control device opened last
    // Runs once the mixer has been opened: a lost mixer tells nothing by itself.
    QTimer m_watch;
    _snd_mixer* m_mixer = nullptr;
    _snd_mixer_elem* m_element = nullptr; // "Master", while it exists
    bool m_hasVolume = false;
    long m_rawMinimum = 0;
    long m_rawMaximum = 0;
    std::optional<long> m_lastReported; // the raw volume last told through levelChanged
    bool m_elementTouched = false;
    // The volumes handed to the writer since the mixer last showed a level
    // of its own, oldest first: the server echoes each, some after a newer
    // one was asked for.
    std::vector<long> m_ownWrites;
    std::optional<long> m_savedRaw;
    std::vector<std::unique_ptr<QSocketNotifier>> m_notifiers;
    std::unique_ptr<MixerLevelWriter> m_writer;
};
