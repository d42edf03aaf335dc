#include "controls/shade_button.h"
#include "dialogs/sound_choice_dialog.h"
#include "editing/document_editor.h"
#include "records/program_path.h"
#include "tests/dialogs/widgets/dialog_test_support.h"
#include "tests/support/document_edits.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ChooseSounds : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (std::size_t i = 0; i < kSoundEventCount; ++i)
            changeSettings(doc, [&](DocumentSettings& s) {
                s.m_soundFiles[soundEventIndex(static_cast<SoundEvent>(i))] = make("own" + std::to_string(i) + ".wav");
            });
        original = doc.settings().m_soundFiles;
        doc.setModified(false); // as just saved
    }

    std::string make(const std::string& name)
    {
        const QString path = folder.filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path.toStdString();
    }

    static QString row(QWidget* dialog, int event)
    {
        return control<QLineEdit>(dialog, SoundChoiceDialog::editId(event))->text();
    }
    static void press(QWidget* dialog, int id) { QTest::mouseClick(control<QPushButton>(dialog, id), Qt::LeftButton); }

    // Opens the dialog as the view's "Choose sounds" does and lets `use` work on it.
    void run(const std::function<void(QWidget*)>& use)
    {
        onNextModal(use);
        SoundChoiceDialog dialog(editor, [this](const std::string& path) { played.push_back(path); });
        dialog.exec();
    }

    RecordingMessageBoxes boxes;
    QTemporaryDir folder;
    TrainingDocument doc;
    DocumentEditor editor{doc};
    std::array<std::string, kSoundEventCount> original;
    std::vector<std::string> played;
};

} // namespace

TEST_F(ChooseSounds, OkWritesAllPathsAndReloadsCancelChangesNothing)
{
    run([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Choose Sounds");
        const QList<QPushButton*> buttons = dialog->findChildren<QPushButton*>();
        EXPECT_EQ(buttons.size(), 13);
        for (QPushButton* button : buttons)
            EXPECT_NE(qobject_cast<ShadeButton*>(button), nullptr) << button->text().toStdString();
        press(dialog, SoundChoiceDialog::IDCANCEL);
    });
    EXPECT_FALSE(doc.isModified());

    QStringList shown;
    run([&](QWidget* dialog) {
        for (int event = 0; event < static_cast<int>(kSoundEventCount); ++event) {
            shown << row(dialog, event);
            EXPECT_TRUE(control<QLineEdit>(dialog, SoundChoiceDialog::editId(event))->isReadOnly());
        }
        QTest::keyClick(dialog, Qt::Key_Return); // OK is the default button
    });
    ASSERT_EQ(shown.size(), kSoundEventCount);
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        EXPECT_EQ(shown[static_cast<int>(i)].toStdString(), original[i]);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.settings().m_soundFiles, original);
    EXPECT_EQ(editor.undoStack().count(), 0) << "unchanged paths are no step to undo";
}

TEST_F(ChooseSounds, ResetOffersTheProgramDirectoryDefaultsOnlyOnYes)
{
    std::array<QString, kSoundEventCount> afterNo, afterYes;
    boxes.answers = {MessageBox::Answer::No, MessageBox::Answer::Yes};
    run([&](QWidget* dialog) {
        press(dialog, SoundChoiceDialog::IDC_RESET_SOUNDS);
        for (int event = 0; event < static_cast<int>(kSoundEventCount); ++event)
            afterNo[static_cast<std::size_t>(event)] = row(dialog, event);
        press(dialog, SoundChoiceDialog::IDC_RESET_SOUNDS);
        for (int event = 0; event < static_cast<int>(kSoundEventCount); ++event)
            afterYes[static_cast<std::size_t>(event)] = row(dialog, event);
        press(dialog, SoundChoiceDialog::IDCANCEL);
    });
    EXPECT_EQ(boxes.questions, (QStringList{"Do you really want to restore the standard sounds?",
                                            "Do you really want to restore the standard sounds?"}));
    for (std::size_t i = 0; i < kSoundEventCount; ++i) {
        EXPECT_EQ(afterNo[i].toStdString(), original[i]);
        EXPECT_EQ(afterYes[i].toStdString(), programDirectory() + "/" + kDefaultSoundFiles[i]);
    }
    // Reset followed by Cancel leaves the document alone.
    EXPECT_EQ(doc.settings().m_soundFiles, original);
    EXPECT_FALSE(doc.isModified());

    boxes.answers = {MessageBox::Answer::Yes};
    run([](QWidget* dialog) {
        press(dialog, SoundChoiceDialog::IDC_RESET_SOUNDS);
        press(dialog, SoundChoiceDialog::IDOK);
    });
    for (std::size_t i = 0; i < kSoundEventCount; ++i)
        EXPECT_EQ(doc.settings().m_soundFiles[i], programFilePath(kDefaultSoundFiles[i]));
    EXPECT_EQ(editor.undoStack().undoText(), "choose sounds");
    editor.undoStack().undo();
    EXPECT_EQ(doc.settings().m_soundFiles, original);
}

TEST_F(ChooseSounds, ChosenFileIsHeardBeforeOkAndStoredOnOk)
{
    const std::string chosen = make("bell.wav");
    QString startFolder, filter;
    QString rowAfterCancel, rowAfterChoice;
    run([&](QWidget* dialog) {
        // A cancelled file dialog leaves the row as it was.
        onNextModal(
            [&](QWidget* files) {
                auto* fileDialog = qobject_cast<QFileDialog*>(files);
                ASSERT_TRUE(fileDialog);
                startFolder = fileDialog->directory().absolutePath();
                filter = fileDialog->selectedNameFilter();
                fileDialog->reject();
            },
            dialog);
        press(dialog, SoundChoiceDialog::browseId(soundEventIndex(SoundEvent::EndInterval)));
        rowAfterCancel = row(dialog, soundEventIndex(SoundEvent::EndInterval));

        onNextModal(
            [&](QWidget* files) {
                auto* fileDialog = qobject_cast<QFileDialog*>(files);
                ASSERT_TRUE(fileDialog);
                fileDialog->selectFile(QString::fromStdString(chosen));
                QMetaObject::invokeMethod(fileDialog, "accept");
            },
            dialog);
        press(dialog, SoundChoiceDialog::browseId(soundEventIndex(SoundEvent::EndInterval)));
        rowAfterChoice = row(dialog, soundEventIndex(SoundEvent::EndInterval));

        press(dialog, SoundChoiceDialog::listenId(soundEventIndex(SoundEvent::EndInterval)));
        press(dialog, SoundChoiceDialog::listenId(soundEventIndex(SoundEvent::UddhaccaAlarm)));
        EXPECT_EQ(doc.settings().m_soundFiles[soundEventIndex(SoundEvent::EndInterval)],
                  original[soundEventIndex(SoundEvent::EndInterval)]);
        press(dialog, SoundChoiceDialog::IDOK);
    });
    EXPECT_EQ(QDir(startFolder), QDir(QString::fromStdString(programDirectory())));
    EXPECT_EQ(filter, "Wave files (*.wav)");
    EXPECT_EQ(rowAfterCancel.toStdString(), original[soundEventIndex(SoundEvent::EndInterval)]);
    EXPECT_EQ(rowAfterChoice.toStdString(), chosen);
    EXPECT_EQ(played, (std::vector<std::string>{chosen, original[soundEventIndex(SoundEvent::UddhaccaAlarm)]}));
    EXPECT_EQ(doc.settings().m_soundFiles[soundEventIndex(SoundEvent::EndInterval)], chosen);
    EXPECT_EQ(doc.settings().m_soundFiles[soundEventIndex(SoundEvent::BeginInterval)],
              original[soundEventIndex(SoundEvent::BeginInterval)]);
    EXPECT_TRUE(boxes.messages.isEmpty());
}
