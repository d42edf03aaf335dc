#include "practice/volume_panel.h"

#include "controls/bitmap_slider.h"
#include "editing/document_editor.h"
#include "records/training_document.h"
#include "sound/alsa_master_volume.h"
#include "sound/wave_volume.h"

namespace {

// A stored volume of -1 takes the level the line has; any other value is a slider position.
constexpr std::int32_t kNoStoredVolume = -1;

} // namespace

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
        volume->saveLevel();
    }
    followOpening(m_waveSlider, *m_waveVolume, &DocumentSettings::m_waveVolume);
    followOpening(m_mainSlider, *m_mainVolume, &DocumentSettings::m_mainVolume);
    for (BitmapSlider* slider : {&m_waveSlider, &m_mainSlider}) {
        connect(slider, &BitmapSlider::moving, this, &VolumePanel::onSliderMoving);
        connect(slider, &BitmapSlider::moved, this, &VolumePanel::onSliderMoved);
    }
}

VolumePanel::~VolumePanel()
{
    if (m_restoreLevels) {
        m_waveVolume->restoreSavedLevel();
        m_mainVolume->restoreSavedLevel();
    }
}

void VolumePanel::followOpening(BitmapSlider& slider, VolumeControl& volume,
                                std::int32_t DocumentSettings::*storedPosition)
{
    // A level that opens after the start is taken as found at the start.
    connect(&volume, &VolumeControl::opened, this, [this, &slider, &volume, storedPosition] {
        volume.switchOn();
        volume.saveLevel();
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
    if (position == kNoStoredVolume) {
        slider.setPosition(VolumeControl::positionOfLevel(volume.level()));
    } else {
        // A position outside the scale sets the level of the end the slider shows.
        slider.setPosition(position);
        volume.setLevel(VolumeControl::levelOfPosition(slider.position()));
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

void VolumePanel::onSliderMoved()
{
    // Only a move stores the position and sets the level; letting go plays a sample of it.
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
