#include "view_fixture.h"

#include "diagram_windows.h"
#include "document_file.h"
#include "measuring_mode_flag.h"
#include "non_modal_graph.h"
#include "plain_controls.h"
#include "program_path.h"
#include "sorted_list_ctrl.h"
#include "interval_list_model.h"
#include "time_picker.h"
#include "versenkwerk_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// A view as the program makes it: a new document, then the first set-up.
class ViewSetUpTest : public CViewFixture {
protected:
    void SetUp() override
    {
        CViewFixture::SetUp();
        m_doc.SetTitle("Unbenannt");
        m_doc.OnNewDocument();
        MakeView();
    }

    void UseSoundFilesInFolder()
    {
        WriteSoundFiles();
        m_view->EventSounds().LoadEventSounds(m_doc.m_settings);
    }
    void AddRecord(int type, CalendarTime start, int measurement)
    {
        CDataEntry e;
        e.m_timeStart = start;
        e.m_timeEnd = start + 30;
        e.m_nMeasurement = static_cast<std::uint16_t>(measurement);
        e.m_nRun = 1;
        m_doc.m_aTrainingTypes[static_cast<std::size_t>(type)].m_aEntries.Add(e);
    }
    int Rows() const { return Control<CSortedListCtrl>(1023)->IntervalModel()->rowCount(); }
    // Answers the next modal dialog by closing it.
    static void CloseNextDialog()
    {
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
    }
};

} // namespace

TEST_F(ViewSetUpTest, FirstSetUpShowsTheDefaultsOnce)
{
    m_doc.m_settings.m_bFixedExerciseTime = 0;
    m_doc.m_settings.m_bAutoUddhaccaAlarm = 1;
    m_doc.m_settings.m_strTrainingType = "Apana Jhavari (Metta Bhavana)";
    m_view->OnInitialUpdate();

    EXPECT_TRUE(Control<QCheckBox>(1013)->isChecked());
    EXPECT_EQ(Control<CTimePicker>(1014)->time(), QTime(0, 10, 0));
    EXPECT_TRUE(Control(1014)->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>(1010)->isChecked());
    EXPECT_EQ(Control<CTimePicker>(1011)->time(), QTime(0, 5, 0));
    EXPECT_FALSE(Control(1011)->isEnabled());
    EXPECT_EQ(Control<QComboBox>(1002)->currentIndex(), 0);
    EXPECT_EQ(m_view->CurrentTrainingType(), &m_doc.m_aTrainingTypes[0]);
    EXPECT_EQ(m_doc.m_pCurrentType, &m_doc.m_aTrainingTypes[0]);
    EXPECT_EQ(Control<CPlainBannerLabel>(1068)->text(), "Settings and evaluations");
    EXPECT_FALSE(m_doc.IsModified()) << "setting the defaults is no change of the user's";

    // Later initial updates (New, Open) leave the settings alone.
    m_doc.m_settings.m_bFixedExerciseTime = 0;
    m_view->OnInitialUpdate();
    EXPECT_EQ(m_doc.m_settings.m_bFixedExerciseTime, 0);
}

TEST_F(ViewSetUpTest, ButtonsCarryTheirTextColoursAndGreyWhenDisabled)
{
    m_view->OnInitialUpdate();
    const auto textColour = [this](int id, QPalette::ColorGroup group) {
        return Control(id)->palette().color(group, QPalette::ButtonText);
    };
    EXPECT_EQ(textColour(1001, QPalette::Active), QColor(255, 96, 0));
    for (int id : {1057, 1058, 1059, 1060, 1012})
        EXPECT_EQ(textColour(id, QPalette::Active), QColor(0, 0, 255)) << id;
    for (int id : {1001, 1012})
        EXPECT_NE(textColour(id, QPalette::Disabled), textColour(id, QPalette::Active)) << id;
    for (int id : {1021, 1016, 1018})
        EXPECT_EQ(textColour(id, QPalette::Active), m_view->palette().color(QPalette::Active, QPalette::ButtonText)) << id;
}

TEST_F(ViewSetUpTest, LoadedDocumentSelectsItsTrainingTypeByPrefix)
{
    m_view->OnInitialUpdate();
    CVersenkwerkDoc stored;
    stored.OnNewDocument();
    stored.m_settings.m_strTrainingType = "kanika";
    CDataEntry e;
    e.m_timeStart = 1'700'000'000;
    e.m_timeEnd = e.m_timeStart + 100;
    e.m_nMeasurement = 1;
    e.m_nRun = 1;
    stored.m_aTrainingTypes[1].m_aEntries.Add(e);
    const std::string path = m_folder.filePath("kanika.con").toStdString();
    SaveDocumentFile(stored, path);

    Control<QCheckBox>(1020)->setChecked(true);
    OpenDocumentFile(m_doc, path);
    EXPECT_EQ(Control<QComboBox>(1002)->currentIndex(), 1);
    EXPECT_EQ(m_view->CurrentTrainingType(), &m_doc.m_aTrainingTypes[1]);
    EXPECT_FALSE(Control<QCheckBox>(1020)->isChecked());
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(m_doc.m_settings.m_strTrainingType, "kanika") << "the stored name stays until the type is chosen";
}

TEST_F(ViewSetUpTest, ChoosingAnotherTypeUnticksShowLastAndMarksModified)
{
    m_view->OnInitialUpdate();
    AddRecord(2, 1'700'000'000, 1);
    AddRecord(2, 1'700'001'000, 2);
    Control<QCheckBox>(1020)->setChecked(true);
    auto* combo = Control<QComboBox>(1002);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_End);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_FALSE(Control<QCheckBox>(1020)->isChecked());
    EXPECT_EQ(m_doc.m_settings.m_strTrainingType, "Apana Jhavari (Metta Bhavana)");
    EXPECT_EQ(m_view->CurrentTrainingType(), &m_doc.m_aTrainingTypes[2]);
    EXPECT_EQ(Rows(), 2);
}

TEST_F(ViewSetUpTest, RestoreDefaultsAnsweredNoThenYes)
{
    m_view->OnInitialUpdate();
    UseSoundFilesInFolder();
    AddRecord(0, 1'700'000'000, 1);
    m_doc.m_settings.m_bFixedExerciseTime = 0;
    m_doc.m_settings.m_bAutoUddhaccaAlarm = 1;
    m_doc.m_settings.m_strTrainingType = "Kanika";
    m_view->ShowSettings();
    ASSERT_EQ(Control<QComboBox>(1002)->currentIndex(), 1);

    m_boxes.m_answer = IMessageBox::Answer::No;
    m_view->OnRestoreDefaults();
    EXPECT_EQ(m_boxes.m_aAsked, QStringList{"Are you sure you want to restore the default settings?"});
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.m_settings.m_bAutoUddhaccaAlarm, 1);
    EXPECT_EQ(Control<QComboBox>(1002)->currentIndex(), 1);

    m_boxes.m_aAsked.clear();
    m_boxes.m_answer = IMessageBox::Answer::Yes;
    m_view->OnRestoreDefaults();
    EXPECT_EQ(m_boxes.m_aAsked, (QStringList{"Are you sure you want to restore the default settings?",
                                             "Default settings restored"}));
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(Control<QCheckBox>(1013)->isChecked());
    EXPECT_FALSE(Control<QCheckBox>(1010)->isChecked());
    EXPECT_EQ(Control<QComboBox>(1002)->currentIndex(), 0);
    EXPECT_EQ(m_view->CurrentTrainingType(), &m_doc.m_aTrainingTypes[0]);
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(m_doc.m_settings.m_strSoundFile[0], GetProgramFilePath("BeginIntervall.wav"))
        << "the sounds come from the program directory again";
}

TEST_F(ViewSetUpTest, SoundTestPlaysTheFiveSoundsInOrder)
{
    m_view->OnInitialUpdate();
    UseSoundFilesInFolder();
    m_player->m_aPlayed.clear();
    Click(1021);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"BeginIntervall.wav", false}, {"EndIntervall.wav", false}, {"EndIntervallUddhacca.wav", false},
        {"UddhaccaAlarm.wav", false},  {"EndExercise.wav", false},
    };
    EXPECT_EQ(m_player->m_aPlayed, expected);
    EXPECT_FALSE(QApplication::overrideCursor()) << "the wait cursor is gone afterwards";
}

TEST_F(ViewSetUpTest, VolumeSlidersStoreTheirPositionAndSoundASample)
{
    m_view->OnInitialUpdate();
    UseSoundFilesInFolder();
    auto* wave = Control<QSlider>(1054);
    EXPECT_EQ(wave->value(), 10);
    m_player->m_aPlayed.clear();
    wave->setFocus();
    QTest::keyClick(wave, Qt::Key_Right);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_doc.m_settings.m_nWaveVolume, 11);
    EXPECT_EQ(m_doc.m_settings.m_nMainVolume, -1);
    EXPECT_TRUE(m_doc.IsModified());
    ASSERT_EQ(m_player->m_aPlayed.size(), 1u);
    EXPECT_EQ(m_player->m_aPlayed[0], std::make_pair(std::string("BeginIntervall.wav"), true));

    m_doc.m_settings.m_nMainVolume = 3;
    m_doc.SetModifiedFlag(false);
    m_view->ShowSettings();
    EXPECT_EQ(Control<QSlider>(1061)->value(), 3);
    EXPECT_FALSE(m_doc.IsModified()) << "showing a stored position is no move";
}

TEST_F(ViewSetUpTest, ManualEntryCountsAsAChangeAndWaitsWhileMeasuring)
{
    m_view->OnInitialUpdate();
    CloseNextDialog();
    m_view->OnManualEntryCommand();
    EXPECT_TRUE(m_doc.IsModified());

    m_doc.SetModifiedFlag(false);
    m_view->OnMeasuringModeCommand();
    ASSERT_TRUE(g_bMeasuringMode);
    m_view->OnManualEntryCommand(); // would block here if a dialog opened
    EXPECT_FALSE(m_doc.IsModified());
    m_view->OnMeasuringModeCommand();
}

TEST_F(ViewSetUpTest, DiagramButtonsOpenWindowsThatMeasuringCloses)
{
    m_view->OnInitialUpdate();
    Click(1057);
    Click(1060);
    CDiagramWindows& diagrams = m_view->Diagrams();
    ASSERT_NE(diagrams.GetWindow(Maximum), nullptr);
    ASSERT_NE(diagrams.GetWindow(Sikkhati), nullptr);
    EXPECT_EQ(diagrams.GetWindow(Average), nullptr);
    m_view->OnMeasuringModeCommand();
    EXPECT_EQ(diagrams.GetWindow(Maximum), nullptr);
    EXPECT_EQ(diagrams.GetWindow(Sikkhati), nullptr);
    m_view->OnMeasuringModeCommand();
}
