#include "practice/volume_panel.h"

#include "controls/bitmap_slider.h"
#include "editing/document_editor.h"
#include "records/training_document.h"
#include "sound/alsa_master_volume.h"
#include "sound/wave_volume.h"

VolumePanel::VolumePanel(DocumentEditor& editor, BitmapSlider& waveSlider, BitmapSlider& mainSlider, Volumes volumes,
                         std::function<void()> playSample, QObject* parent)
    : QObject(parent), m_editor(editor), m_waveSlider(waveSlider), m_mainSlider(mainSlider),
      m_waveVolume(volumes.wave ? std::move(volumes.wave) : std::make_unique<WaveVolume>()),
      m_mainVolume(volumes.main ? std::move(volumes.main) : std::make_unique<AlsaMasterVolume>()),
      m_playSample(std::move(playSample))
{
    for (VolumeControl* volume : {m_waveVolume.get(), m_mainVolume.get()}) {
        volume->switchOn();
        connect(volume, &VolumeControl::levelChanged, this, &VolumePanel::onLevelChanged);
    }
    m_savedWaveLevel = m_waveVolume->level();
    m_savedMainLevel = m_mainVolume->level();
    followOpening(m_waveSlider, *m_waveVolume, m_savedWaveLevel, &DocumentSettings::m_waveVolume);
    followOpening(m_mainSlider, *m_mainVolume, m_savedMainLevel, &DocumentSettings::m_mainVolume);
    for (BitmapSlider* slider : {&m_waveSlider, &m_mainSlider}) {
        connect(slider, &BitmapSlider::moving, this, &VolumePanel::onSliderMoving);
        connect(slider, &BitmapSlider::moved, this, &VolumePanel::onSliderMoved);
    }
}

VolumePanel::~VolumePanel()
{
    if (m_restoreLevels) {
        m_waveVolume->setLevel(m_savedWaveLevel);
        m_mainVolume->setLevel(m_savedMainLevel);
    }
}

void VolumePanel::followOpening(BitmapSlider& slider, VolumeControl& volume, int& savedLevel,
                                std::int32_t DocumentSettings::*storedPosition)
{
    // A level that opens after the start is taken as found at the start.
    connect(&volume, &VolumeControl::opened, this, [this, &slider, &volume, &savedLevel, storedPosition] {
        volume.switchOn();
        savedLevel = volume.level();
        showStoredVolume(slider, volume, m_editor.document().settings().*storedPosition);
    });
}

void VolumePanel::showStoredVolumes()
{
    const DocumentSettings& settings = m_editor.document().settings();
    showStoredVolume(m_waveSlider, *m_waveVolume, settings.m_waveVolume);
    showStoredVolume(m_mainSlider, *m_mainVolume, settings.m_mainVolume);
}

void VolumePanel::followStoredVolumes(const DocumentSettings& previous)
{
    const DocumentSettings& settings = m_editor.document().settings();
    if (settings.m_waveVolume != previous.m_waveVolume && settings.m_waveVolume != m_waveSlider.position())
        showStoredVolume(m_waveSlider, *m_waveVolume, settings.m_waveVolume);
    if (settings.m_mainVolume != previous.m_mainVolume && settings.m_mainVolume != m_mainSlider.position())
        showStoredVolume(m_mainSlider, *m_mainVolume, settings.m_mainVolume);
}

void VolumePanel::showStoredVolume(BitmapSlider& slider, VolumeControl& volume, std::int32_t position)
{
    // No stored position (-1) leaves the level alone and shows it.
    if (position < 0) {
        slider.setPosition(VolumeControl::positionOfLevel(volume.level()));
    } else {
        slider.setPosition(position);
        volume.setLevel(VolumeControl::levelOfPosition(position));
    }
}

void VolumePanel::onSliderMoving(int id, int position)
{
    const bool wave = id == m_waveSlider.controlId();
    m_editor.apply(changedSettings(m_editor.document().settings(), [wave, position](DocumentSettings& settings) {
        (wave ? settings.m_waveVolume : settings.m_mainVolume) = position;
    }));
    (wave ? m_waveVolume : m_mainVolume)->setLevel(VolumeControl::levelOfPosition(position));
}

void VolumePanel::onSliderMoved(int id, int position)
{
    // A key steps the slider without a move before; a user pressing an arrow key expects the volume to follow.
    onSliderMoving(id, position);
    if (m_playSample)
        m_playSample();
}

void VolumePanel::onLevelChanged()
{
    // Both sliders follow the levels, whichever changed and by whom; a thumb in the user's hand stays there.
    for (auto [slider, volume] :
         {std::pair{&m_waveSlider, m_waveVolume.get()}, std::pair{&m_mainSlider, m_mainVolume.get()}})
        if (!slider->isDragging())
            slider->setPosition(VolumeControl::positionOfLevel(volume->level()));
    m_restoreLevels = false;
}
