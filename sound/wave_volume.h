#pragma once

#include "sound/volume_control.h"
#include "sound/wave_gain.h"

#include <memory>

// The level of this program's own event sounds. It is a gain that the sound
// back end applies to every sample it plays, so it is always available and
// leaves the other programs' sound alone.
class WaveVolume : public VolumeControl {
    Q_OBJECT

public:
    explicit WaveVolume(std::shared_ptr<WaveGain> gain = std::make_shared<WaveGain>(), QObject* parent = nullptr);

    // The gain to hand to the sound back end.
    std::shared_ptr<const WaveGain> gain() const { return m_gain; }

    bool hasVolumeControl() const override { return true; }
    // A gain has nothing to mute.
    void switchOn() override { }
    void switchOff() override { }
    int stepCount() const override { return kFullLevel; }
    int minimumLevel() const override { return 0; }
    int maximumLevel() const override { return kFullLevel; }
    int level() const override { return m_gain->level(); }
    void setLevel(int level) override;
    void saveLevel() override { m_savedLevel = level(); }
    void restoreSavedLevel() override;

private:
    std::shared_ptr<WaveGain> m_gain;
    int m_savedLevel = kFullLevel;
};
