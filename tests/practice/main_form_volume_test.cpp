// Runs against a private sound server (tests/sound/with_pulseaudio.sh, with_pipewire.sh):
// the main slider then drives the server's sink volume, as on a desktop.
#include "tests/practice/main_form_fixture.h"

#include "controls/bitmap_slider.h"
#include "records/document_file.h"
#include "sound/alsa_master_volume.h"
#include "tests/sound/default_sink.h"
#include "tests/support/document_edits.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

// The form with the volumes it makes itself: the desktop's master level and its own gain.
class ViewVolumeTest : public MainFormFixture {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("JHAVARI_PRIVATE_SOUND_SERVER"))
            GTEST_SKIP() << "changes the volume: run through tests/sound/with_pulseaudio.sh or with_pipewire.sh";
        MainFormFixture::SetUp();
        qunsetenv("JHAVARI_ALSA_MIXER");
        setSinkVolume(kServerFullVolume / 2);
        m_doc.onNewDocument();
    }
    void makeSystemView()
    {
        m_view = std::make_unique<MainForm>(m_editor, m_player, VolumePanel::Volumes{}, m_clock, &m_keys);
        m_view->initialUpdate();
    }
    BitmapSlider* slider(int id) const { return control<BitmapSlider>(id); }
    static bool sinkReaches(int volume)
    {
        return QTest::qWaitFor([volume] { return std::abs(sinkVolume() - volume) <= 2; }, 5000);
    }
};

TEST_F(ViewVolumeTest, TheMainSliderSetsTheSinkAndFollowsOutsideChangesWhichAreKept)
{
    makeSystemView();
    EXPECT_EQ(slider(IDC_MAIN_VOLUME)->position(), 10) << "the sink's half volume, left alone";
    EXPECT_EQ(m_doc.settings().m_mainVolume, -1);

    slider(IDC_MAIN_VOLUME)->setFocus();
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(slider(IDC_MAIN_VOLUME), Qt::Key_Left);
    EXPECT_EQ(m_doc.settings().m_mainVolume, 7);
    EXPECT_TRUE(sinkReaches(7 * VolumeControl::kPositionStep));

    setSinkVolume(kServerFullVolume / 4);
    EXPECT_TRUE(QTest::qWaitFor([this] { return slider(IDC_MAIN_VOLUME)->position() == 5; }, 5000));
    EXPECT_EQ(slider(IDC_WAVE_VOLUME)->position(), 20) << "both sliders show their levels";
    EXPECT_EQ(m_doc.settings().m_mainVolume, 7) << "an outside change is not the user's move";
    EXPECT_EQ(m_doc.settings().m_waveVolume, -1);

    // Saving stores the position, and leaves the level where the other program set it.
    saveDocumentFile(m_doc, m_folder.filePath("volume.con").toStdString());
    QTest::qWait(300);
    EXPECT_EQ(sinkVolume(), kServerFullVolume / 4);
    EXPECT_EQ(slider(IDC_MAIN_VOLUME)->position(), 5);

    m_view.reset();
    EXPECT_EQ(sinkVolume(), kServerFullVolume / 4) << "a change came: nothing restored";
}

TEST_F(ViewVolumeTest, WithoutAnyChangeTheStartLevelIsRestoredAtTheEnd)
{
    makeSystemView();
    // The stored position is set, but its change is never told before the end.
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_mainVolume = 3; });
    m_view->showSettings();
    EXPECT_EQ(slider(IDC_MAIN_VOLUME)->position(), 3);
    m_view.reset();
    EXPECT_EQ(sinkVolume(), kServerFullVolume / 2) << "the very value found at the start";
}

TEST_F(ViewVolumeTest, ARunThatChangesNothingLeavesTheMixerValueAsItWas)
{
    makeSystemView();
    QTest::qWait(200);
    m_view.reset();
    QTest::qWait(200);
    EXPECT_EQ(sinkVolume(), kServerFullVolume / 2);
}

TEST_F(ViewVolumeTest, AClickOnTheThumbWithoutMovingItChangesNeitherTheSinkNorTheDocument)
{
    makeSystemView();
    m_doc.setModified(false);
    BitmapSlider* main = slider(IDC_MAIN_VOLUME);
    const QPoint thumb(119, 8); // the centre of the thumb at position 10
    QTest::mousePress(main, Qt::LeftButton, {}, thumb);
    QTest::mouseRelease(main, Qt::LeftButton, {}, thumb);
    QTest::qWait(300);
    EXPECT_EQ(main->position(), 10);
    EXPECT_EQ(m_doc.settings().m_mainVolume, -1);
    EXPECT_FALSE(m_doc.isModified());
    EXPECT_EQ(sinkVolume(), kServerFullVolume / 2);

    // Dragging it by two positions is a change.
    QTest::mousePress(main, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(main, thumb + QPoint(22, 0));
    QTest::mouseRelease(main, Qt::LeftButton, {}, thumb + QPoint(22, 0));
    EXPECT_EQ(m_doc.settings().m_mainVolume, 12);
    EXPECT_TRUE(m_doc.isModified());
    EXPECT_TRUE(sinkReaches(12 * VolumeControl::kPositionStep));
}

TEST_F(ViewVolumeTest, AMasterVolumeOpenedAfterTheStartTakesTheStoredPositionThen)
{
    auto later = std::make_unique<AlsaMasterVolume>(nullptr, AlsaMasterVolume::Opening::Later);
    AlsaMasterVolume& master = *later;
    m_view = std::make_unique<MainForm>(m_editor, m_player, VolumePanel::Volumes{nullptr, std::move(later)}, m_clock,
                                        &m_keys);
    m_view->initialUpdate();
    changeSettings(m_doc, [&](DocumentSettings& s) { s.m_mainVolume = 3; });
    QTest::qWait(200);
    EXPECT_EQ(sinkVolume(), kServerFullVolume / 2) << "nothing reaches the mixer before it opens";

    master.openNow();
    EXPECT_TRUE(sinkReaches(3 * VolumeControl::kPositionStep));
    EXPECT_EQ(slider(IDC_MAIN_VOLUME)->position(), 3);
}

TEST_F(ViewVolumeTest, WithoutAMixerTheSlidersStandAtTheRightEndAndMovesAreStored)
{
    qputenv("JHAVARI_ALSA_MIXER", "jhavari_no_such_mixer");
    makeSystemView();
    qunsetenv("JHAVARI_ALSA_MIXER");
    EXPECT_EQ(slider(IDC_MAIN_VOLUME)->position(), 20);
    slider(IDC_MAIN_VOLUME)->setFocus();
    QTest::keyClick(slider(IDC_MAIN_VOLUME), Qt::Key_Home);
    EXPECT_EQ(m_doc.settings().m_mainVolume, 0);
    QTest::qWait(200);
    EXPECT_EQ(sinkVolume(), kServerFullVolume / 2);
}

} // namespace
