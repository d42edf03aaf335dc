// Runs against a private sound server (tests/sound/with_pulseaudio.sh and its
// PipeWire twin), whose null sink takes the samples in real time, as a sound card does.
#include "tests/practice/main_form_fixture.h"

#include "sound/alsa_sound_player.h"
#include "tests/sound/default_sink.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(SoundTestButton, PlaysTheFiveSoundsWhileTheEventLoopRunsUntilTheFormGoes)
{
    if (qEnvironmentVariableIsEmpty("JHAVARI_PRIVATE_SOUND_SERVER"))
        GTEST_SKIP() << "plays for seconds: run through a private sound server (tests/sound/with_*.sh)";
    TrainingDocument doc;
    doc.onNewDocument(); // the five default sounds beside the program, some 13 s in all
    TestClock clock;
    TestKeyState keys;
    DocumentEditor editor(doc);
    auto view = std::make_unique<MainForm>(editor, createAlsaSoundPlayer(), volumesWithoutMixer(), clock, &keys);
    view->initialUpdate();
    view->show();

    int ticks = 0;
    QTimer timer;
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start();
    QTest::mouseClick(findControl(*view, IDC_SOUND_TEST), Qt::LeftButton);
    QTest::qWait(2000);
    EXPECT_GE(ticks, 20) << "the timer keeps firing while the sounds play";
    EXPECT_EQ(playingStreams(), 1) << "the sounds are under way";

    view.reset();
    EXPECT_TRUE(QTest::qWaitFor([] { return playingStreams() == 0; }, 3000)) << "leaving ends them";
}

} // namespace
