#pragma once

#include <QObject>

// One output level of the sound system on the scale 0..65535, as the volume
// sliders use it. An unusable control (no mixer, no such line) reports -1 for
// its bounds and level and ignores new levels, so the program runs on without it.
class VolumeControl : public QObject {
    Q_OBJECT

public:
    static constexpr int kFullLevel = 65535;

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

signals:
    // The level changed, by this program or by any other; arrives from the
    // event loop, after the change was made.
    void levelChanged(int level);
};
