#pragma once

#include "measuring_doubles.h"
#include "view_doubles.h"

#include "measuring_mode_flag.h"
#include "versenkwerk_view.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

// A main view over a document, with a test clock, test keys, recorded
// sounds and answered questions.
class CViewFixture : public testing::Test {
protected:
    void SetUp() override
    {
        g_bMeasuringMode = false;
        SetMessageBoxes(&m_boxes);
        ASSERT_TRUE(m_folder.isValid());
    }
    void TearDown() override
    {
        m_view.reset();
        SetMessageBoxes(nullptr);
        g_bMeasuringMode = false;
    }

    void MakeView()
    {
        m_view = std::make_unique<CVersenkwerkView>(m_doc, m_player, m_clock, &m_keys);
        m_view->resize(m_view->sizeHint());
        m_view->show();
    }
    // Sound files that exist, so that every event gets an id once loaded.
    void WriteSoundFiles()
    {
        for (std::size_t event = 0; event < SoundEventCount; ++event) {
            const std::string path = m_folder.filePath(kDefaultSoundFiles[event]).toStdString();
            std::ofstream(path) << "RIFF";
            m_doc.m_settings.m_strSoundFile[event] = path;
        }
    }

    template <typename T = QWidget>
    T* Control(int id) const
    {
        return FindControl<T>(*m_view, id);
    }
    void Click(int id) { ClickControl(*m_view, id); }

    CAnsweringMessageBox m_boxes;
    QTemporaryDir m_folder;
    CVersenkwerkDoc m_doc;
    std::shared_ptr<CRecordingSoundPlayer> m_player = std::make_shared<CRecordingSoundPlayer>();
    CTestClock m_clock;
    CTestKeyState m_keys;
    std::unique_ptr<CVersenkwerkView> m_view;
};
