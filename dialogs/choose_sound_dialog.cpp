#include "choose_sound_dialog.h"

#include "dialog_frame.h"
#include "dialog_layout.h"
#include "message_box.h"
#include "program_path.h"
#include "text_encoding.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace {

using K = DialogControlKind;

constexpr std::array<const char*, SoundEventCount> kRowLabels = {
    "Beginning of a measurement:",
    "Ending of a measurement:",
    "Ending of a measurement with Uddhacca:",
    "Uddhacca alarm",
    "Automatic / manual end of measuring mode:",
};

constexpr int kRowTop = 7;
constexpr int kRowPitch = 28;

std::vector<DialogControl> MakeTemplate()
{
    std::vector<DialogControl> controls;
    for (int event = 0; event < SoundEventCount; ++event) {
        const int top = kRowTop + event * kRowPitch;
        controls.push_back({-1, K::Label, 7, top, 228, 8, kRowLabels[static_cast<std::size_t>(event)]});
        controls.push_back({CChooseSoundDlg::EditId(event), K::Custom, 7, top + 10, 228, 14, nullptr});
        controls.push_back({CChooseSoundDlg::BrowseId(event), K::PushButton, 239, top + 10, 16, 14, "..."});
        controls.push_back({CChooseSoundDlg::ListenId(event), K::PushButton, 259, top + 10, 50, 14, "Listen to"});
    }
    controls.push_back({CChooseSoundDlg::IDC_RESET_SOUNDS, K::PushButton, 7, 157, 60, 14, "Reset sounds"});
    controls.push_back({CChooseSoundDlg::IDOK, K::PushButton, 205, 157, 50, 14, "OK"});
    controls.push_back({CChooseSoundDlg::IDCANCEL, K::PushButton, 259, 157, 50, 14, "Cancel"});
    return controls;
}

QLineEdit* MakePathEdit(const DialogControl& control, QWidget* parent)
{
    QLineEdit* edit = MakeEdit(control, parent);
    edit->setReadOnly(true); // paths change only through "..." and "Reset sounds"
    return edit;
}

} // namespace

CChooseSoundDlg::CChooseSoundDlg(PlaySoundFileFn playFile, QWidget* parent)
    : QDialog(parent), m_playFile(std::move(playFile))
{
    SetUpDialogFrame(*this, "Choose Sounds", 316, 178);
    const std::vector<DialogControl> controls = MakeTemplate();
    const auto byId = BuildDialogControls(this, DialogFont(), controls, MakePathEdit);
    const auto button = [&byId](int id) { return static_cast<QPushButton*>(byId[id]); };
    for (int event = 0; event < SoundEventCount; ++event) {
        m_apEdit[static_cast<std::size_t>(event)] = static_cast<QLineEdit*>(byId[EditId(event)]);
        connect(button(BrowseId(event)), &QPushButton::clicked, this, [this, event] { OnBrowse(event); });
        connect(button(ListenId(event)), &QPushButton::clicked, this, [this, event] { OnListen(event); });
    }
    connect(button(IDC_RESET_SOUNDS), &QPushButton::clicked, this, &CChooseSoundDlg::OnResetSounds);
    button(IDOK)->setDefault(true);
    connect(button(IDOK), &QPushButton::clicked, this, &CChooseSoundDlg::accept);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &CChooseSoundDlg::reject);
}

void CChooseSoundDlg::showEvent(QShowEvent* event)
{
    if (!m_bInitialised) {
        m_bInitialised = true;
        ShowPaths();
    }
    QDialog::showEvent(event);
}

void CChooseSoundDlg::ShowPaths()
{
    for (std::size_t i = 0; i < m_apEdit.size(); ++i) {
        m_apEdit[i]->setText(QString::fromStdString(DecodeText(m_strFile[i])));
        m_apEdit[i]->setCursorPosition(0);
    }
}

bool CChooseSoundDlg::BrowseForWave(std::string& path)
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Wave files (*.wav)"));
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setDirectory(QFile::decodeName(GetProgramFilePath(std::string()).c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return true;
}

void CChooseSoundDlg::OnBrowse(int event)
{
    if (BrowseForWave(m_strFile[static_cast<std::size_t>(event)]))
        ShowPaths();
}

void CChooseSoundDlg::OnListen(int event)
{
    if (!m_playFile)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_playFile(m_strFile[static_cast<std::size_t>(event)]);
    QApplication::restoreOverrideCursor();
}

void CChooseSoundDlg::OnResetSounds()
{
    if (MessageBoxes().AskYesNo(this, QStringLiteral("Do you really want to restore the standard sounds?")) !=
        IMessageBox::Answer::Yes)
        return;
    m_strFile = m_strDefaultFile;
    ShowPaths();
}
