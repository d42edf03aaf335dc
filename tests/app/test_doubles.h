#pragma once

#include "platform/file_dialogs.h"
#include "platform/message_box.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

// Records every message and question and gives the queued answers
// (Cancel when none is queued).
class ScriptedMessageBoxes : public MessageBox {
public:
    ScriptedMessageBoxes() { setMessageBoxes(this); }
    ~ScriptedMessageBoxes() override { setMessageBoxes(nullptr); }

    void showMessage(QWidget*, const QString& text) override { m_messages.append(text); }
    Answer askYesNo(QWidget*, const QString& text) override { return ask(text); }
    Answer askYesNoCancel(QWidget*, const QString& text) override { return ask(text); }
    Answer askYesNoDefaulting(QWidget*, const QString& text, Answer defaultAnswer) override
    {
        m_defaults.push_back(defaultAnswer);
        return ask(text);
    }

    std::deque<Answer> m_answers;
    QStringList m_messages;
    QStringList m_questions;
    std::deque<Answer> m_defaults;       // the default button of each question that has one
    std::function<void()> m_whileAsking; // what happens elsewhere while the question is open

private:
    Answer ask(const QString& text)
    {
        m_questions.append(text);
        if (m_whileAsking)
            m_whileAsking();
        if (m_answers.empty())
            return Answer::Cancel;
        const Answer answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
};

// Chooses the queued file names (empty: cancelled) and records the titles.
class ScriptedFileDialogs : public FileDialogs {
public:
    ScriptedFileDialogs() { setFileDialogs(this); }
    ~ScriptedFileDialogs() override { setFileDialogs(nullptr); }

    QString getOpenFileName(QWidget*, const QString& title, const QString& folder, const QString& filters) override
    {
        m_titles.append(title);
        m_folder = folder;
        m_filters = filters;
        return next();
    }
    QString getSaveFileName(QWidget*, const QString& title, const QString& suggestedPath, const QString& filters,
                            const QString& defaultSuffix) override
    {
        m_titles.append(title);
        m_filters = filters;
        m_suggestedPath = suggestedPath;
        m_defaultSuffix = defaultSuffix;
        return next();
    }

    std::deque<QString> m_choices;
    QStringList m_titles;
    QString m_folder;
    QString m_filters;
    QString m_suggestedPath;
    QString m_defaultSuffix;

private:
    QString next()
    {
        if (m_choices.empty())
            return {};
        const QString choice = m_choices.front();
        m_choices.pop_front();
        return choice;
    }
};
