#pragma once

#include "doc_settings.h"

#include <QDialog>

#include <array>
#include <functional>
#include <string>

class QLineEdit;

// Plays a sound file straight from disk and returns when it has ended; a
// path that names no playable file plays nothing and reports nothing.
using PlaySoundFileFn = std::function<void(const std::string& path)>;

// "Choose Sounds": one wave file per sound event, to pick, to listen to, or
// to return to the defaults. The paths are a working copy until OK.
class CChooseSoundDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IDC_FIRST_SOUND_ROW = 1024, // row i: edit 1024 + 3i, "..." 1025 + 3i, "Listen to" 1026 + 3i
        IDC_RESET_SOUNDS = 1039,
        IDOK = 1,
        IDCANCEL = 2,
    };
    static constexpr int EditId(int event) { return IDC_FIRST_SOUND_ROW + 3 * event; }
    static constexpr int BrowseId(int event) { return EditId(event) + 1; }
    static constexpr int ListenId(int event) { return EditId(event) + 2; }

    explicit CChooseSoundDlg(PlaySoundFileFn playFile, QWidget* parent = nullptr);

    // Indexed by SoundEvent; the paths as bytes, shown in the read-only edits.
    std::array<std::string, SoundEventCount> m_strFile;
    std::array<std::string, SoundEventCount> m_strDefaultFile; // offered by "Reset sounds"

    // A file dialog for a wave file, always starting in the program directory;
    // true with the chosen file's full path, false leaving the path as it was.
    bool BrowseForWave(std::string& path);
    void OnBrowse(int event);
    void OnListen(int event);
    void OnResetSounds();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowPaths();

    PlaySoundFileFn m_playFile;
    std::array<QLineEdit*, SoundEventCount> m_apEdit{};
    bool m_bInitialised = false;
};
