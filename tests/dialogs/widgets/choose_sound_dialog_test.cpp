#include "choose_sound_dialog.h"
#include "dialog_commands.h"
#include "dialog_test_support.h"
#include "program_path.h"

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
        for (std::size_t i = 0; i < SoundEventCount; ++i)
            doc.m_settings.m_strSoundFile[i] = Make("own" + std::to_string(i) + ".wav");
        original = doc.m_settings.m_strSoundFile;
    }

    std::string Make(const std::string& name)
    {
        const QString path = folder.filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path.toStdString();
    }

    static QString Row(QWidget* dialog, int event)
    {
        return Control<QLineEdit>(dialog, CChooseSoundDlg::EditId(event))->text();
    }
    static void Press(QWidget* dialog, int id) { QTest::mouseClick(Control<QPushButton>(dialog, id), Qt::LeftButton); }

    // Opens the dialog as the view's "Choose sounds" does and lets `use` work on it.
    void Run(const std::function<void(QWidget*)>& use)
    {
        OnNextModal(use);
        OnChooseSounds(nullptr, doc, [this] { ++reloads; }, [this](const std::string& path) { played.push_back(path); });
    }

    RecordingMessageBoxes boxes;
    QTemporaryDir folder;
    CVersenkwerkDoc doc;
    std::array<std::string, SoundEventCount> original;
    int reloads = 0;
    std::vector<std::string> played;
};

} // namespace

TEST_F(ChooseSounds, OkWritesAllPathsAndReloadsCancelChangesNothing)
{
    Run([](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Choose Sounds");
        Press(dialog, CChooseSoundDlg::IDCANCEL);
    });
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(reloads, 0);

    QStringList shown;
    Run([&](QWidget* dialog) {
        for (int event = 0; event < SoundEventCount; ++event) {
            shown << Row(dialog, event);
            EXPECT_TRUE(Control<QLineEdit>(dialog, CChooseSoundDlg::EditId(event))->isReadOnly());
        }
        Press(dialog, CChooseSoundDlg::IDOK);
    });
    ASSERT_EQ(shown.size(), SoundEventCount);
    for (std::size_t i = 0; i < SoundEventCount; ++i)
        EXPECT_EQ(shown[static_cast<int>(i)].toStdString(), original[i]);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(doc.m_settings.m_strSoundFile, original);
}

TEST_F(ChooseSounds, ResetOffersTheProgramDirectoryDefaultsOnlyOnYes)
{
    std::array<QString, SoundEventCount> afterNo, afterYes;
    boxes.answers = {IMessageBox::Answer::No, IMessageBox::Answer::Yes};
    Run([&](QWidget* dialog) {
        Press(dialog, CChooseSoundDlg::IDC_RESET_SOUNDS);
        for (int event = 0; event < SoundEventCount; ++event)
            afterNo[static_cast<std::size_t>(event)] = Row(dialog, event);
        Press(dialog, CChooseSoundDlg::IDC_RESET_SOUNDS);
        for (int event = 0; event < SoundEventCount; ++event)
            afterYes[static_cast<std::size_t>(event)] = Row(dialog, event);
        Press(dialog, CChooseSoundDlg::IDCANCEL);
    });
    EXPECT_EQ(boxes.questions, (QStringList{"Do you really want to restore the standard sounds?",
                                            "Do you really want to restore the standard sounds?"}));
    for (std::size_t i = 0; i < SoundEventCount; ++i) {
        EXPECT_EQ(afterNo[i].toStdString(), original[i]);
        EXPECT_EQ(afterYes[i].toStdString(), GetProgramDirectory() + "/" + kDefaultSoundFiles[i]);
    }
    // Reset followed by Cancel leaves the document alone.
    EXPECT_EQ(doc.m_settings.m_strSoundFile, original);
    EXPECT_FALSE(doc.IsModified());

    boxes.answers = {IMessageBox::Answer::Yes};
    Run([](QWidget* dialog) {
        Press(dialog, CChooseSoundDlg::IDC_RESET_SOUNDS);
        Press(dialog, CChooseSoundDlg::IDOK);
    });
    for (std::size_t i = 0; i < SoundEventCount; ++i)
        EXPECT_EQ(doc.m_settings.m_strSoundFile[i], GetProgramFilePath(kDefaultSoundFiles[i]));
    EXPECT_EQ(reloads, 1);
}

TEST_F(ChooseSounds, ChosenFileIsHeardBeforeOkAndStoredOnOk)
{
    const std::string chosen = Make("bell.wav");
    QString startFolder, filter;
    QString rowAfterCancel, rowAfterChoice;
    Run([&](QWidget* dialog) {
        // A cancelled file dialog leaves the row as it was.
        OnNextModal([&](QWidget* files) {
            auto* fileDialog = qobject_cast<QFileDialog*>(files);
            ASSERT_TRUE(fileDialog);
            startFolder = fileDialog->directory().absolutePath();
            filter = fileDialog->selectedNameFilter();
            fileDialog->reject();
        }, dialog);
        Press(dialog, CChooseSoundDlg::BrowseId(EndIntervall));
        rowAfterCancel = Row(dialog, EndIntervall);

        OnNextModal([&](QWidget* files) {
            auto* fileDialog = qobject_cast<QFileDialog*>(files);
            ASSERT_TRUE(fileDialog);
            fileDialog->selectFile(QString::fromStdString(chosen));
            QMetaObject::invokeMethod(fileDialog, "accept");
        }, dialog);
        Press(dialog, CChooseSoundDlg::BrowseId(EndIntervall));
        rowAfterChoice = Row(dialog, EndIntervall);

        Press(dialog, CChooseSoundDlg::ListenId(EndIntervall));
        Press(dialog, CChooseSoundDlg::ListenId(UddhaccaAlarm));
        EXPECT_EQ(doc.m_settings.m_strSoundFile[EndIntervall], original[EndIntervall]);
        Press(dialog, CChooseSoundDlg::IDOK);
    });
    EXPECT_EQ(QDir(startFolder), QDir(QString::fromStdString(GetProgramDirectory())));
    EXPECT_EQ(filter, "Wave files (*.wav)");
    EXPECT_EQ(rowAfterCancel.toStdString(), original[EndIntervall]);
    EXPECT_EQ(rowAfterChoice.toStdString(), chosen);
    EXPECT_EQ(played, (std::vector<std::string>{chosen, original[UddhaccaAlarm]}));
    EXPECT_EQ(doc.m_settings.m_strSoundFile[EndIntervall], chosen);
    EXPECT_EQ(doc.m_settings.m_strSoundFile[BeginIntervall], original[BeginIntervall]);
    EXPECT_TRUE(boxes.messages.isEmpty());
}
