#include "tests/practice/main_form_fixture.h"

#include "controls/bitmap_slider.h"
#include "controls/gradient_label.h"
#include "controls/shade_button.h"
#include "dialogs/sound_choice_dialog.h"
#include "evaluation/diagram_window.h"
#include "evaluation/diagram_windows.h"
#include "platform/time_picker.h"
#include "practice/interval_list_model.h"
#include "practice/interval_list_view.h"
#include "practice/main_form.h"
#include "records/document_file.h"
#include "records/program_path.h"
#include "tests/support/document_edits.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <gtest/gtest.h>

#include <array>
#include <fstream>

namespace {

// A view as the program makes it: a new document, then the first set-up.
class ViewSetUpTest : public MainFormFixture {
protected:
    void SetUp() override
    {
        MainFormFixture::SetUp();
        m_doc.setTitle("Unbenannt");
        m_doc.onNewDocument();
        makeView();
    }

    void useSoundFilesInFolder()
    {
        writeSoundFiles();
        m_view->eventSounds().loadEventSounds(m_doc.settings());
    }
    void addRecord(int type, CalendarTime start, int measurement)
    {
        IntervalRecord e;
        e.m_timeStart = start;
        e.m_timeEnd = start + 30;
        e.m_measurement = static_cast<std::uint16_t>(measurement);
        e.m_run = 1;
        append(m_doc, m_doc.trainingTypes()[static_cast<std::size_t>(type)], e);
        m_doc.setModified(false); // as loaded from a file
    }
    int rows() const { return control<IntervalListView>(IDC_INTERVAL_LIST)->intervalModel()->rowCount(); }
    // Answers the next modal dialog by closing it.
    static void closeNextDialog()
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
    changeSettings(m_doc, [](DocumentSettings& s) { s.m_fixedExerciseTime = 0; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_autoUddhaccaAlarm = 1; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_trainingType = "Apana Jhavari (Metta Bhavana)"; });
    m_doc.setModified(false); // as loaded from a file
    m_view->initialUpdate();

    EXPECT_TRUE(control<QAbstractButton>(IDC_FIXED_TOTAL)->isChecked());
    EXPECT_EQ(control<TimePicker>(IDC_FIXED_DURATION)->time(), QTime(0, 10, 0));
    EXPECT_TRUE(control(IDC_FIXED_DURATION)->isEnabled());
    EXPECT_FALSE(control<QAbstractButton>(IDC_AUTO_ALARM)->isChecked());
    EXPECT_EQ(control<TimePicker>(IDC_ALARM_INTERVAL)->time(), QTime(0, 5, 0));
    EXPECT_FALSE(control(IDC_ALARM_INTERVAL)->isEnabled());
    EXPECT_EQ(control<QComboBox>(IDC_TRAINING_TYPE)->currentIndex(), 0);
    EXPECT_EQ(m_doc.currentTrainingType(), &m_doc.trainingTypes()[0]);
    EXPECT_EQ(m_doc.currentTrainingType(), &m_doc.trainingTypes()[0]);
    EXPECT_EQ(control<GradientLabel>(IDC_BANNER_LABEL)->text(), "Settings and evaluations");
    EXPECT_FALSE(control<IntervalListView>(IDC_INTERVAL_LIST)->showGrid()) << "grid lines only between records";
    EXPECT_FALSE(m_doc.isModified()) << "setting the defaults is no change of the user's";

    // Later initial updates (New, Open) leave the settings alone.
    changeSettings(m_doc, [](DocumentSettings& s) { s.m_fixedExerciseTime = 0; });
    m_view->initialUpdate();
    EXPECT_EQ(m_doc.settings().m_fixedExerciseTime, 0);
}

TEST_F(ViewSetUpTest, TheSlidersTakeTheSizeOfTheirPicturesAndTheBannerWrapsFromTheTop)
{
    EXPECT_EQ(control(IDC_WAVE_VOLUME)->size(), QSize(240, 17));
    EXPECT_EQ(control(IDC_MAIN_VOLUME)->size(), QSize(240, 17));
    const auto* banner = control<GradientLabel>(IDC_BANNER_LABEL);
    EXPECT_TRUE(banner->wordWrap());
    EXPECT_FALSE(banner->alignment() & Qt::AlignVCenter);
}

TEST_F(ViewSetUpTest, EveryButtonIsShadedWithItsTextColourAndGreyWhenDisabled)
{
    m_view->initialUpdate();
    const QList<QAbstractButton*> buttons = m_view->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    EXPECT_EQ(buttons.size(), 12);
    for (QAbstractButton* button : buttons) {
        auto* shaded = qobject_cast<ShadeButton*>(button);
        ASSERT_NE(shaded, nullptr) << button->objectName().toStdString();
        const bool checkBox =
            QList{IDC_FIXED_TOTAL, IDC_AUTO_ALARM, IDC_SHOW_LAST}.contains(button->objectName().toInt());
        EXPECT_EQ(shaded->kind(), checkBox ? ShadeButton::Kind::CheckBox : ShadeButton::Kind::PushButton);
    }
    EXPECT_EQ(control<ShadeButton>(IDC_MEASURING_MODE)->textColor(), QColor(255, 96, 0));
    for (int id : {IDC_MAXIMUM, IDC_AVERAGE, IDC_MEDIAN, IDC_SIKKHATI, IDC_ALARM_BUTTON})
        EXPECT_EQ(control<ShadeButton>(id)->textColor(), QColor(0, 0, 255)) << id;

    // The orange text shows on the enabled button, as dark as the light face needs; the disabled
    // blue one is drawn without blue.
    const auto showsColourNear = [](QWidget* widget, QColor colour) {
        const QImage image = widget->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                        std::abs(pixel.blue() - colour.blue()) <
                    60)
                    return true;
            }
        return false;
    };
    const QColor orange = control<ShadeButton>(IDC_MEASURING_MODE)->shownTextColor();
    EXPECT_EQ(orange.hslHue(), QColor(255, 96, 0).hslHue());
    EXPECT_TRUE(showsColourNear(control(IDC_MEASURING_MODE), orange));
    EXPECT_TRUE(showsColourNear(control(IDC_MAXIMUM), QColor(0, 0, 255)));
    ASSERT_FALSE(control(IDC_ALARM_BUTTON)->isEnabled());
    EXPECT_FALSE(showsColourNear(control(IDC_ALARM_BUTTON), QColor(0, 0, 255)));
}

TEST_F(ViewSetUpTest, LoadedDocumentSelectsItsTrainingTypeByPrefix)
{
    m_view->initialUpdate();
    TrainingDocument stored;
    stored.onNewDocument();
    changeSettings(stored, [&](DocumentSettings& s) { s.m_trainingType = "kanika"; });
    IntervalRecord e;
    e.m_timeStart = 1'700'000'000;
    e.m_timeEnd = e.m_timeStart + 100;
    e.m_measurement = 1;
    e.m_run = 1;
    append(stored, stored.trainingTypes()[1], e);
    const std::string path = m_folder.filePath("kanika.con").toStdString();
    saveDocumentFile(stored, path);

    control<QAbstractButton>(IDC_SHOW_LAST)->setChecked(true);
    openDocumentFile(m_doc, path);
    EXPECT_EQ(control<QComboBox>(IDC_TRAINING_TYPE)->currentIndex(), 1);
    EXPECT_EQ(m_doc.currentTrainingType(), &m_doc.trainingTypes()[1]);
    EXPECT_FALSE(control<QAbstractButton>(IDC_SHOW_LAST)->isChecked());
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(m_doc.settings().m_trainingType, "kanika") << "the stored name stays until the type is chosen";
}

TEST_F(ViewSetUpTest, ASaveLeavesTheListAndShowLastAsTheUserLeftThem)
{
    m_view->initialUpdate();
    addRecord(0, 1'700'000'000, 1);
    for (int run = 0; run < 40; ++run)
        addRecord(0, 1'700'001'000 + run * 100, 2);
    click(IDC_SHOW_LAST);
    QCoreApplication::processEvents(); // the list shows its newest row
    ASSERT_EQ(rows(), 40);
    auto* list = control<IntervalListView>(IDC_INTERVAL_LIST);
    list->verticalScrollBar()->setValue(5);
    list->selectRow(7);
    list->selectionModel()->select(list->model()->index(9, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    saveDocumentFile(m_doc, m_folder.filePath("kept.con").toStdString());
    QCoreApplication::processEvents();
    EXPECT_TRUE(control<QAbstractButton>(IDC_SHOW_LAST)->isChecked());
    EXPECT_EQ(rows(), 40);
    EXPECT_EQ(list->selectedRows(), (std::vector<int>{7, 9}));
    EXPECT_EQ(list->verticalScrollBar()->value(), 5);
}

TEST_F(ViewSetUpTest, ChoosingAnotherTypeUnticksShowLastAndMarksModified)
{
    m_view->initialUpdate();
    addRecord(2, 1'700'000'000, 1);
    addRecord(2, 1'700'001'000, 2);
    control<QAbstractButton>(IDC_SHOW_LAST)->setChecked(true);
    auto* combo = control<QComboBox>(IDC_TRAINING_TYPE);
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_End);
    EXPECT_EQ(combo->currentIndex(), 2);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_FALSE(control<QAbstractButton>(IDC_SHOW_LAST)->isChecked());
    EXPECT_EQ(m_doc.settings().m_trainingType, "Apana Jhavari (Metta Bhavana)");
    EXPECT_EQ(m_doc.currentTrainingType(), &m_doc.trainingTypes()[2]);
    EXPECT_EQ(rows(), 2);
}

TEST_F(ViewSetUpTest, RestoreDefaultsAnsweredNoThenYes)
{
    m_view->initialUpdate();
    useSoundFilesInFolder();
    addRecord(0, 1'700'000'000, 1);
    changeSettings(m_doc, [](DocumentSettings& s) { s.m_fixedExerciseTime = 0; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_autoUddhaccaAlarm = 1; });
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_trainingType = "Kanika"; });
    m_doc.setModified(false); // as loaded from a file
    m_view->showSettings();
    ASSERT_EQ(control<QComboBox>(IDC_TRAINING_TYPE)->currentIndex(), 1);

    m_boxes.m_answer = MessageBox::Answer::No;
    m_commands->restoreDefaults();
    EXPECT_EQ(m_boxes.m_asked, QStringList{"Are you sure you want to restore the default settings?"});
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_EQ(m_doc.settings().m_autoUddhaccaAlarm, 1);
    EXPECT_EQ(control<QComboBox>(IDC_TRAINING_TYPE)->currentIndex(), 1);

    m_boxes.m_asked.clear();
    m_boxes.m_answer = MessageBox::Answer::Yes;
    m_commands->restoreDefaults();
    EXPECT_EQ(m_boxes.m_asked,
              (QStringList{"Are you sure you want to restore the default settings?", "Default settings restored"}));
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_TRUE(control<QAbstractButton>(IDC_FIXED_TOTAL)->isChecked());
    EXPECT_FALSE(control<QAbstractButton>(IDC_AUTO_ALARM)->isChecked());
    EXPECT_EQ(control<QComboBox>(IDC_TRAINING_TYPE)->currentIndex(), 0);
    EXPECT_EQ(m_doc.currentTrainingType(), &m_doc.trainingTypes()[0]);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(m_doc.settings().m_soundFiles[0], programFilePath("BeginIntervall.wav"))
        << "the sounds come from the program directory again";
}

TEST_F(ViewSetUpTest, ConfirmedSoundsAreReadAgainEvenWhenTheirPathsStayTheSame)
{
    // The begin sound's file is missing when the sounds are loaded; the user puts it back.
    const std::string begin = m_folder.filePath("BeginIntervall.wav").toStdString();
    m_view->initialUpdate();
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_soundFiles[0] = begin; });
    m_view->eventSounds().loadEventSounds(m_doc.settings());
    ASSERT_EQ(m_view->eventSounds().m_soundId[0], 0);
    std::ofstream(begin) << "RIFF";

    // A sound listened to plays without holding up the dialog, and ends with it.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            clickControl(*dialog, SoundChoiceDialog::listenId(0));
            dialog->accept();
        }
    });
    m_player->m_played.clear();
    click(IDC_CHOOSE_SOUNDS);
    EXPECT_EQ(m_player->m_played, (std::vector<std::pair<std::string, bool>>{{"BeginIntervall.wav", true}}));
    EXPECT_EQ(m_player->m_stops, 1);
    EXPECT_EQ(m_doc.settings().m_soundFiles[0], begin);
    EXPECT_NE(m_view->eventSounds().m_soundId[0], 0) << "OK in \"Choose sounds\" reads the files again";

    // The default files could not be read at the last load; restoring the defaults reads them.
    m_commands->restoreDefaults();
    DocumentSettings unreadable = m_doc.settings();
    unreadable.m_soundFiles.fill(m_folder.filePath("missing.wav").toStdString());
    m_view->eventSounds().loadEventSounds(unreadable);
    m_commands->restoreDefaults();
    EXPECT_EQ(m_view->eventSounds().m_soundId, (std::array<int, kSoundEventCount>{1, 2, 3, 4, 5}));
}

TEST_F(ViewSetUpTest, CheckBoxesSwitchTheTimeFieldsAndSoundTestPlaysTheFiveSoundsOnlyWhenReleasedOver)
{
    m_view->initialUpdate();
    click(IDC_FIXED_TOTAL);
    EXPECT_FALSE(control<QAbstractButton>(IDC_FIXED_TOTAL)->isChecked());
    EXPECT_FALSE(control(IDC_FIXED_DURATION)->isEnabled());
    EXPECT_EQ(m_doc.settings().m_fixedExerciseTime, 0);
    click(IDC_FIXED_TOTAL);
    EXPECT_TRUE(control(IDC_FIXED_DURATION)->isEnabled());
    EXPECT_NE(m_doc.settings().m_fixedExerciseTime, 0);

    control(IDC_AUTO_ALARM)->setFocus();
    QTest::keyClick(control(IDC_AUTO_ALARM), Qt::Key_Space);
    EXPECT_TRUE(control<QAbstractButton>(IDC_AUTO_ALARM)->isChecked());
    EXPECT_TRUE(control(IDC_ALARM_INTERVAL)->isEnabled());
    EXPECT_NE(m_doc.settings().m_autoUddhaccaAlarm, 0);

    useSoundFilesInFolder();
    m_player->m_played.clear();
    auto* soundTest = control<QAbstractButton>(IDC_SOUND_TEST);
    const QPoint outside(soundTest->width() / 2, -soundTest->height());
    QTest::mousePress(soundTest, Qt::LeftButton);
    EXPECT_TRUE(soundTest->isDown());
    QTest::mouseMove(soundTest, outside);
    EXPECT_FALSE(soundTest->isDown());
    QTest::mouseRelease(soundTest, Qt::LeftButton, {}, outside);
    EXPECT_TRUE(m_player->m_played.empty());

    click(IDC_SOUND_TEST);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"BeginIntervall.wav", true}, {"EndIntervall.wav", true}, {"EndIntervallUddhacca.wav", true},
        {"UddhaccaAlarm.wav", true},  {"EndExercise.wav", true},
    };
    EXPECT_EQ(m_player->m_played, expected) << "one sequence, played without waiting";
}

TEST_F(ViewSetUpTest, VolumeSlidersStoreTheirPositionSetTheLevelAndSoundASample)
{
    m_view->initialUpdate();
    useSoundFilesInFolder();
    auto* wave = control<BitmapSlider>(IDC_WAVE_VOLUME);
    EXPECT_EQ(wave->position(), 20) << "the full gain of a new document";
    m_player->m_played.clear();

    // Dragging stores and sets the level; the release sounds the sample once.
    const QPoint middle(wave->width() / 2, wave->height() / 2);
    QTest::mousePress(wave, Qt::LeftButton, {}, middle);
    QTest::mouseMove(wave, QPoint(2, middle.y()));
    EXPECT_EQ(m_doc.settings().m_waveVolume, wave->position());
    EXPECT_LT(wave->position(), 10);
    EXPECT_EQ(m_waveGain->level(), VolumeControl::levelOfPosition(wave->position()));
    EXPECT_TRUE(m_player->m_played.empty());
    QTest::mouseRelease(wave, Qt::LeftButton, {}, QPoint(2, middle.y()));
    ASSERT_EQ(m_player->m_played.size(), 1u);
    EXPECT_EQ(m_player->m_played[0], std::make_pair(std::string("BeginIntervall.wav"), true));
    EXPECT_TRUE(m_doc.isModified());

    // A key step counts as a move too.
    m_doc.setModified(false);
    wave->setFocus();
    QTest::keyClick(wave, Qt::Key_End);
    EXPECT_EQ(m_doc.settings().m_waveVolume, 20);
    EXPECT_EQ(m_waveGain->level(), WaveGain::kFullLevel);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_EQ(m_player->m_played.size(), 2u);

    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_waveVolume = 3; });
    m_doc.setModified(false);
    m_view->showSettings();
    EXPECT_EQ(wave->position(), 3);
    EXPECT_EQ(m_waveGain->level(), 3 * VolumeControl::kPositionStep);
    EXPECT_FALSE(m_doc.isModified()) << "showing a stored position is no move";

    // Only -1 means no stored position; any other value below the scale is its left end.
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_waveVolume = -5; });
    m_view->showSettings();
    EXPECT_EQ(wave->position(), 0);
    EXPECT_EQ(m_waveGain->level(), 0);
}

TEST_F(ViewSetUpTest, ManualEntryCountsAsAChangeAndMeasuringWaitsForItAndClosesTheDiagrams)
{
    m_view->initialUpdate();
    closeNextDialog();
    m_commands->openManualEntry();
    EXPECT_TRUE(m_doc.isModified());

    click(IDC_MAXIMUM);
    click(IDC_SIKKHATI);
    DiagramWindows& diagrams = m_view->diagrams();
    ASSERT_NE(diagrams.window(DiagramKind::Maximum), nullptr);
    ASSERT_NE(diagrams.window(DiagramKind::Sikkhati), nullptr);
    EXPECT_EQ(diagrams.window(DiagramKind::Average), nullptr);
    m_doc.setModified(false);
    m_view->onMeasuringModeCommand();
    ASSERT_TRUE(m_view->measuring().isActive());
    EXPECT_EQ(diagrams.window(DiagramKind::Maximum), nullptr);
    EXPECT_EQ(diagrams.window(DiagramKind::Sikkhati), nullptr);
    m_commands->openManualEntry(); // would block here if a dialog opened
    EXPECT_FALSE(m_doc.isModified());
    m_view->onMeasuringModeCommand();
}

TEST_F(ViewSetUpTest, DiagramButtonsAndListHeadingsExplainTheirTerms)
{
    m_view->show();
    const std::pair<int, const char*> buttons[] = {{IDC_MAXIMUM, "Maximum: the longest"},
                                                   {IDC_AVERAGE, "Average: the mean"},
                                                   {IDC_MEDIAN, "Median: the middle"},
                                                   {IDC_SIKKHATI, "Sikkhati: the share"}};
    for (const auto& [id, start] : buttons) {
        QWidget* button = control(id);
        QHelpEvent help(QEvent::ToolTip, button->rect().center(), button->mapToGlobal(button->rect().center()));
        QApplication::sendEvent(button, &help);
        EXPECT_TRUE(QToolTip::isVisible()) << id;
        EXPECT_TRUE(QToolTip::text().contains(QString::fromUtf8(start))) << QToolTip::text().toStdString();
        QToolTip::hideText();
    }
    const IntervalListModel* list = control<IntervalListView>(IDC_INTERVAL_LIST)->intervalModel();
    EXPECT_TRUE(list->headerData(1, Qt::Horizontal, Qt::ToolTipRole).toString().contains("Measurement number"));
    EXPECT_TRUE(list->headerData(2, Qt::Horizontal, Qt::ToolTipRole).toString().contains("Run number"));
    for (int column = 0; column < list->columnCount(); ++column)
        EXPECT_FALSE(list->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString().isEmpty()) << column;
}
