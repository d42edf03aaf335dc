#pragma once

#include "sound/volume_control.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class BitmapSlider;
class DocumentSettings;
class DocumentEditor;

// The two volume sliders of the form and the output levels behind them: a
// slider moved by the user stores its position in the document and sets its
// level; a level changed by anyone moves its slider. Levels that nobody
// changed while the program ran are set back to what they were at the start.
class VolumePanel : public QObject {
    Q_OBJECT
public:
    // The output levels behind the two sliders. One left out is made: the wave
    // level as a gain of its own (hand the player the same gain to hear it),
    // the main level as the desktop's master volume.
    struct Volumes {
        std::unique_ptr<VolumeControl> wave;
        std::unique_ptr<VolumeControl> main;
    };

    // playSample sounds a sample of the new level when a slider is let go.
    VolumePanel(DocumentEditor& editor, BitmapSlider& waveSlider, BitmapSlider& mainSlider, Volumes volumes,
                std::function<void()> playSample, QObject* parent = nullptr);
    ~VolumePanel() override;

    // The stored positions on both sliders and their levels: no stored
    // position (-1) leaves the level alone and shows it.
    void showStoredVolumes();
    // The stored positions changed from those in `previous`: a slider that
    // does not stand there yet follows.
    void followStoredVolumes(const DocumentSettings& previous);

private:
    static void showStoredVolume(BitmapSlider& slider, VolumeControl& volume, std::int32_t position);
    void followOpening(BitmapSlider& slider, VolumeControl& volume, std::int32_t DocumentSettings::*storedPosition);
    void onSliderMoving(int id, int position);
    void onSliderMoved();
    void onLevelChanged();

    DocumentEditor& m_editor;
    BitmapSlider& m_waveSlider;
    BitmapSlider& m_mainSlider;
    std::unique_ptr<VolumeControl> m_waveVolume;
    std::unique_ptr<VolumeControl> m_mainVolume;
    std::function<void()> m_playSample;
    // The levels found at start are written back at the end unless a level changed meanwhile.
    bool m_restoreLevels = true;
};
