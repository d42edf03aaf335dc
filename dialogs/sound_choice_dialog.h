#pragma once

#include "records/document_settings.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class DocumentEditor;
class QLineEdit;

// Plays a sound file straight from disk and returns when it has ended; a
// path that names no playable file plays nothing and reports nothing.
using PlaySoundFileFn = std::function<void(const std::string& path)>;

// "Choose Sounds": one wave file per sound event, to pick, to listen to, or
// to return to the defaults in the program directory. The paths are a
// working copy of the document's until OK stores them.
class SoundChoiceDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDC_FIRST_SOUND_ROW = 1024; // row i: edit 1024 + 3i, "..." 1025 + 3i, "Listen to" 1026 + 3i
    static constexpr int IDC_RESET_SOUNDS = 1039;
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;
    static constexpr int editId(int event) { return IDC_FIRST_SOUND_ROW + 3 * event; }
    static constexpr int browseId(int event) { return editId(event) + 1; }
    static constexpr int listenId(int event) { return editId(event) + 2; }

    SoundChoiceDialog(DocumentEditor& editor, PlaySoundFileFn playFile, QWidget* parent = nullptr);

    void accept() override;

private:
    // A file dialog for a wave file, always starting in the program directory;
    // true with the chosen file's full path, false leaving the path as it was.
    bool browseForWave(std::string& path);
    void browse(int event);
    void listen(int event);
    void resetSounds();
    void showPaths();

    DocumentEditor& m_editor;
    PlaySoundFileFn m_playFile;
    // Indexed by SoundEvent; the paths as bytes, shown in the read-only edits.
    std::array<std::string, kSoundEventCount> m_files;
    std::array<QLineEdit*, kSoundEventCount> m_edits{};
};
