#pragma once

#include "platform/message_box.h"
#include "sound/sound_store.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Plays nothing; keeps the file and the mode of every sound asked for.
class RecordingSoundPlayer : public SoundPlayer {
public:
    bool play(const StoredSound& sound, bool async) override
    {
        const std::string path = sound.m_path;
        m_played.emplace_back(path.substr(path.rfind('/') + 1), async);
        return true;
    }
    bool playInTurn(const std::vector<const StoredSound*>& sounds) override
    {
        for (const StoredSound* sound : sounds)
            play(*sound, true);
        return true;
    }
    void stop() override { ++m_stops; }
    bool isPlaying() const override { return false; }
    std::vector<std::pair<std::string, bool>> m_played;
    int m_stops = 0;
};

class AnsweringMessageBox : public MessageBox {
public:
    void showMessage(QWidget*, const QString& text) override { m_asked.push_back(text); }
    Answer askYesNo(QWidget*, const QString& text) override
    {
        m_asked.push_back(text);
        return m_answer;
    }
    Answer askYesNoCancel(QWidget*, const QString& text) override
    {
        m_asked.push_back(text);
        return m_answer;
    }
    Answer m_answer = Answer::Yes;
    QStringList m_asked;
};

// A control of a form by its id; the test fails where there is none.
template <typename T = QWidget>
T* findControl(const QWidget& form, int id)
{
    T* control = form.findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

inline void clickControl(const QWidget& form, int id)
{
    QTest::mouseClick(findControl(form, id), Qt::LeftButton);
}
