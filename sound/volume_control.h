#pragma once

#include <QObject>

#include <algorithm>

// One output level of the sound system on the scale 0..65535, as the volume
// sliders use it. An unusable control (no mixer, no such line) reports -1 for
// its bounds and level and ignores new levels, so the program runs on without it.
class VolumeControl : public QObject {
    Q_OBJECT

public:
    static constexpr int kFullLevel = 65535;
    // One step of the volume sliders' 0..20 scale.
    static constexpr int kPositionStep = 3277;

    // Position 20 asks for a little more than the full level; setLevel limits
    // it. A stored position outside 0..20 (a damaged file) counts as the nearer end.
    static constexpr int levelOfPosition(int position) { return std::clamp(position, 0, 20) * kPositionStep; }
    // The nearest position. The -1 of an unusable control reads as a huge
    // number, which puts a slider at its right end.
    static constexpr int positionOfLevel(int level)
    {
        return static_cast<int>((quint64{static_cast<quint32>(level)} * 2 + kPositionStep) / (2 * kPositionStep));
    }

    using QObject::QObject;

    virtual bool hasVolumeControl() const = 0;
    // Unmutes the line (on) or mutes it (off), where the line can be muted.
    virtual void switchOn() = 0;
    virtual void switchOff() = 0;
    virtual int stepCount() const = 0;
    virtual int minimumLevel() const = 0;
    virtual int maximumLevel() const = 0;
    virtual int level() const = 0;
    // Limited to minimumLevel()..maximumLevel().
    virtual void setLevel(int level) = 0;
    // Keeps the level as it stands now, in the line's own units, so that
    // restoreSavedLevel() puts back exactly this value.
    virtual void saveLevel() = 0;
    // Writes the saved level back, unless the line stands there already.
    virtual void restoreSavedLevel() = 0;

signals:
    // The level changed, by this program or by any other; arrives from the
    // event loop, after the change was made.
    void levelChanged(int level);
    // A control left unusable at the start became usable: its line is there now.
    void opened();
};
