#include "dialogs/sound_choice_dialog.h"

#include "dialogs/dialog_frame.h"
#include "editing/document_editor.h"
#include "platform/dialog_layout.h"
#include "platform/message_box.h"
#include "records/program_path.h"
#include "records/text_encoding.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace {

using K = DialogControlKind;
using S = DialogControlStyle;

constexpr std::array<const char*, kSoundEventCount> kRowLabels = {
    "Beginning of a measurement:",
    "Ending of a measurement:",
    "Ending of a measurement with Uddhacca:",
    "Uddhacca alarm",
    "Automatic / manual end of measuring mode:",
};

constexpr int kRowTop = 7;
constexpr int kRowPitch = 28;

std::vector<DialogControl> makeTemplate()
{
    std::vector<DialogControl> controls;
    for (int event = 0; event < static_cast<int>(kSoundEventCount); ++event) {
        const int top = kRowTop + event * kRowPitch;
        controls.push_back({-1, K::Label, 7, top, 228, 8, kRowLabels[static_cast<std::size_t>(event)]});
        controls.push_back({SoundChoiceDialog::editId(event), K::Custom, 7, top + 10, 228, 14, nullptr});
        controls.push_back(
            {SoundChoiceDialog::browseId(event), K::PushButton, 239, top + 10, 16, 14, "...", S::Shaded});
        controls.push_back(
            {SoundChoiceDialog::listenId(event), K::PushButton, 259, top + 10, 50, 14, "Listen to", S::Shaded});
    }
    controls.push_back({SoundChoiceDialog::IDC_RESET_SOUNDS, K::PushButton, 7, 157, 60, 14, "Reset sounds", S::Shaded});
    controls.push_back({SoundChoiceDialog::IDOK, K::PushButton, 205, 157, 50, 14, "OK", S::Shaded | S::DefaultButton});
    controls.push_back({SoundChoiceDialog::IDCANCEL, K::PushButton, 259, 157, 50, 14, "Cancel", S::Shaded});
    return controls;
}

QLineEdit* makePathEdit(const DialogControl& control, QWidget* parent)
{
    QLineEdit* edit = makeEdit(control, parent);
    edit->setReadOnly(true); // paths change only through "..." and "Reset sounds"
    return edit;
}

} // namespace

SoundChoiceDialog::SoundChoiceDialog(DocumentEditor& editor, PlaySoundFileFn playFile, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_playFile(std::move(playFile)),
      m_files(editor.document().settings().m_soundFiles)
{
    setUpDialogFrame(*this, "Choose Sounds", 316, 178);
    const std::vector<DialogControl> controls = makeTemplate();
    const auto byId = buildDialogControls(this, templateFont(), controls, makePathEdit);
    const auto button = [&byId](int id) { return static_cast<QPushButton*>(byId[id]); };
    for (int event = 0; event < static_cast<int>(kSoundEventCount); ++event) {
        m_edits[static_cast<std::size_t>(event)] = static_cast<QLineEdit*>(byId[editId(event)]);
        connect(button(browseId(event)), &QPushButton::clicked, this, [this, event] { browse(event); });
        connect(button(listenId(event)), &QPushButton::clicked, this, [this, event] { listen(event); });
    }
    connect(button(IDC_RESET_SOUNDS), &QPushButton::clicked, this, &SoundChoiceDialog::resetSounds);
    connect(button(IDOK), &QPushButton::clicked, this, &SoundChoiceDialog::accept);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &SoundChoiceDialog::reject);
    showPaths();
}

void SoundChoiceDialog::accept()
{
    DocumentSettings chosen = m_editor.document().settings();
    chosen.m_soundFiles = m_files;
    m_editor.confirmSettings(chosen, QStringLiteral("choose sounds"));
    QDialog::accept();
}

void SoundChoiceDialog::showPaths()
{
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i]->setText(QString::fromStdString(decodeText(m_files[i])));
        m_edits[i]->setCursorPosition(0);
    }
}

bool SoundChoiceDialog::browseForWave(std::string& path)
{
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Wave files (*.wav)"));
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    dialog.setDirectory(QFile::decodeName(programFilePath(std::string()).c_str()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
    return true;
}

void SoundChoiceDialog::browse(int event)
{
    if (browseForWave(m_files[static_cast<std::size_t>(event)]))
        showPaths();
}

void SoundChoiceDialog::listen(int event)
{
    if (m_playFile)
        m_playFile(m_files[static_cast<std::size_t>(event)]);
}

void SoundChoiceDialog::resetSounds()
{
    if (messageBoxes().askYesNo(this, QStringLiteral("Do you really want to restore the standard sounds?")) !=
        MessageBox::Answer::Yes)
        return;
    m_files = DocumentSettings().m_soundFiles;
    showPaths();
}
