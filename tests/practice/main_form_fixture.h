#pragma once

#include "tests/practice/main_form_doubles.h"
#include "tests/practice/measuring_doubles.h"

#include "app/view_commands.h"
#include "editing/document_editor.h"
#include "practice/main_form.h"
#include "practice/main_form_template.h"
#include "sound/alsa_master_volume.h"
#include "sound/wave_volume.h"
#include "tests/support/document_edits.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

// Output levels that leave every real volume alone: a gain of the form's own
// (or the player's) and a master level on a control device that does not exist.
inline VolumePanel::Volumes volumesWithoutMixer(std::shared_ptr<WaveGain> gain = std::make_shared<WaveGain>())
{
    return {std::make_unique<WaveVolume>(std::move(gain)),
            std::make_unique<AlsaMasterVolume>(QStringLiteral("jhavari_no_such_mixer"), nullptr)};
}

// A main view over a document, with a test clock, test keys, recorded
// sounds and answered questions.
class MainFormFixture : public testing::Test {
protected:
    void SetUp() override
    {
        setMessageBoxes(&m_boxes);
        ASSERT_TRUE(m_folder.isValid());
    }
    void TearDown() override
    {
        m_view.reset();
        setMessageBoxes(nullptr);
    }

    void makeView()
    {
        m_view = std::make_unique<MainForm>(m_editor, m_player, volumesWithoutMixer(m_waveGain), m_clock, &m_keys);
        m_commands = new ViewCommands(m_editor, *m_view);
        m_view->resize(m_view->sizeHint());
        m_view->show();
    }
    // Sound files that exist, so that every event gets an id once loaded.
    void writeSoundFiles()
    {
        for (std::size_t event = 0; event < kSoundEventCount; ++event) {
            const std::string path = m_folder.filePath(kDefaultSoundFiles[event]).toStdString();
            std::ofstream(path) << "RIFF";
            changeSettings(m_doc, [&](DocumentSettings& s) {
                s.m_soundFiles[soundEventIndex(static_cast<SoundEvent>(event))] = path;
            });
        }
        m_doc.setModified(false); // as loaded from a file
    }

    template <typename T = QWidget>
    T* control(int id) const
    {
        return findControl<T>(*m_view, id);
    }
    void click(int id) { clickControl(*m_view, id); }

    AnsweringMessageBox m_boxes;
    QTemporaryDir m_folder;
    TrainingDocument m_doc;
    DocumentEditor m_editor{m_doc};
    std::shared_ptr<RecordingSoundPlayer> m_player = std::make_shared<RecordingSoundPlayer>();
    std::shared_ptr<WaveGain> m_waveGain = std::make_shared<WaveGain>();
    TestClock m_clock;
    TestKeyState m_keys;
    std::unique_ptr<MainForm> m_view;
    ViewCommands* m_commands = nullptr; // the form's child
};
