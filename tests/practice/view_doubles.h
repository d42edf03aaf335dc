#pragma once

#include "message_box.h"
#include "sound_manager.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Plays nothing; keeps the file and the mode of every sound asked for.
class CRecordingSoundPlayer : public ISoundPlayer {
public:
    void Prepare(CSoundData&) override {}
    bool Play(const CSoundData& sound, bool async) override
    {
        const std::string path = sound.m_strPath;
        m_aPlayed.emplace_back(path.substr(path.rfind('/') + 1), async);
        return true;
    }
    void Stop() override {}
    std::vector<std::pair<std::string, bool>> m_aPlayed;
};

class CAnsweringMessageBox : public IMessageBox {
public:
    void ShowMessage(QWidget*, const QString& text) override { m_aAsked.push_back(text); }
    Answer AskYesNo(QWidget*, const QString& text) override
    {
        m_aAsked.push_back(text);
        return m_answer;
    }
    Answer AskYesNoCancel(QWidget*, const QString& text) override
    {
        m_aAsked.push_back(text);
        return m_answer;
    }
    Answer m_answer = Answer::Yes;
    QStringList m_aAsked;
};

// A control of a form by its id; the test fails where there is none.
template <typename T = QWidget>
T* FindControl(const QWidget& form, int id)
{
    T* control = form.findChild<T*>(QString::number(id));
    EXPECT_NE(control, nullptr) << id;
    return control;
}

inline void ClickControl(const QWidget& form, int id)
{
    QTest::mouseClick(FindControl(form, id), Qt::LeftButton);
}
