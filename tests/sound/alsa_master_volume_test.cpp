// Runs against a private sound server (with_pulseaudio.sh, with_pipewire.sh):
// ALSA's "default" control device is then the server's volume, as on a desktop.
#include "sound/alsa_master_volume.h"
#include "tests/sound/default_sink.h"
#include "tests/support/scoped_environment.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr int kPositionStep = 3277;

class MasterVolumeTest : public testing::Test {
protected:
    // The mixer the sound server offers, not one set from outside.
    const ScopedEnvironment m_mixer{"JHAVARI_ALSA_MIXER", std::nullopt};

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("JHAVARI_PRIVATE_SOUND_SERVER"))
            GTEST_SKIP() << "changes the volume: run through tests/sound/with_pulseaudio.sh or with_pipewire.sh";
        setSinkVolume(kServerFullVolume);
        setSinkMuted(false);
    }
};

// A PulseAudio server of the test's own, reached through PULSE_SERVER, that
// stops and starts again as a desktop's does after a crash or an update.
class RestartableServer {
public:
    RestartableServer() : m_address("PULSE_SERVER", "unix:" + m_folder.filePath("native").toStdString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_folder.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_folder.path());
        m_server.setProcessEnvironment(environment);
    }
    ~RestartableServer() { stop(); }

    bool start()
    {
        m_server.start(QStringLiteral("pulseaudio"),
                       QStringLiteral("-n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no "
                                      "-L module-null-sink -L")
                               .split(' ')
                           << "module-native-protocol-unix auth-anonymous=1 socket=" + m_folder.filePath("native"));
        const auto answers = [] { return QProcess::execute(QStringLiteral("pactl"), {QStringLiteral("info")}) == 0; };
        return m_server.waitForStarted() && QTest::qWaitFor(answers, 10000);
    }
    void stop()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }

private:
    QTemporaryDir m_folder;
    ScopedEnvironment m_address;
    QProcess m_server;
};

TEST_F(MasterVolumeTest, LevelsSetHereReachTheServerAndComeBackAsChanges)
{
    AlsaMasterVolume master;
    ASSERT_TRUE(master.hasVolumeControl());
    EXPECT_EQ(master.minimumLevel(), 0);
    EXPECT_EQ(master.maximumLevel(), 65535);
    EXPECT_EQ(master.stepCount(), kServerFullVolume);
    EXPECT_EQ(master.level(), 65535);
    QSignalSpy changes(&master, &VolumeControl::levelChanged);

    master.setLevel(10 * kPositionStep);
    EXPECT_NEAR(master.level(), 32770, 1);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_NEAR(sinkVolume(), 32770, 1);
    EXPECT_NEAR(changes.last().at(0).toInt(), 32770, 1);
    EXPECT_EQ(master.level(), changes.last().at(0).toInt());
    // Told once, although the server may echo the change back.
    EXPECT_FALSE(changes.wait(200));
    EXPECT_EQ(changes.size(), 1);

    // Position 20 asks for more than the scale holds: the element's maximum.
    master.setLevel(20 * kPositionStep);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_EQ(sinkVolume(), kServerFullVolume);
    EXPECT_EQ(changes.last().at(0).toInt(), 65535);

    master.setLevel(0);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_EQ(sinkVolume(), 0);
    EXPECT_EQ(master.level(), 0);
}

TEST_F(MasterVolumeTest, QuickStepsNeverShowAnEarlierStepAgain)
{
    AlsaMasterVolume master;
    // Each level told, with the level asked for last at that moment: a level
    // told after a newer one was asked for sets the slider back a step.
    std::vector<std::pair<int, int>> told;
    QObject::connect(&master, &VolumeControl::levelChanged,
                     [&](int level) { told.emplace_back(level, master.level()); });
    // Steps faster than the server answers.
    for (int position = 19; position >= 12; --position) {
        master.setLevel(position * kPositionStep);
        QTest::qWait(1);
    }
    QTest::qWait(1000);
    EXPECT_NEAR(sinkVolume(), 12 * kPositionStep, 1);
    ASSERT_FALSE(told.empty());
    for (const auto& [level, asked] : told)
        EXPECT_EQ(level, asked);
    EXPECT_EQ(told.back().first, master.level());
}

TEST_F(MasterVolumeTest, ALevelSetJustBeforeTheEndStillReachesTheServer)
{
    {
        AlsaMasterVolume master;
        master.setLevel(0);
        master.setLevel(5 * kPositionStep);
    }
    EXPECT_NEAR(sinkVolume(), 16385, 1);
}

TEST_F(MasterVolumeTest, AVolumeChangedByAnotherProgramArrivesButAMuteDoesNot)
{
    AlsaMasterVolume master;
    QSignalSpy changes(&master, &VolumeControl::levelChanged);

    setSinkVolume(kServerFullVolume / 4);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_EQ(changes.last().at(0).toInt(), 16384);
    EXPECT_EQ(master.level(), 16384);

    changes.clear();
    setSinkMuted(true);
    EXPECT_FALSE(changes.wait(500));
}

TEST_F(MasterVolumeTest, SwitchingOnUnmutesTheOutputAndSwitchingOffMutesIt)
{
    setSinkMuted(true);
    AlsaMasterVolume master;
    master.switchOn();
    EXPECT_FALSE(sinkMuted());
    master.switchOff();
    EXPECT_TRUE(sinkMuted());
}

TEST_F(MasterVolumeTest, WithoutAMixerTheControlIsUnusableAndChangesNothing)
{
    auto missingMixer = std::make_unique<ScopedEnvironment>("JHAVARI_ALSA_MIXER", "jhavari_no_such_mixer");
    AlsaMasterVolume master;
    missingMixer.reset();
    QSignalSpy changes(&master, &VolumeControl::levelChanged);

    EXPECT_FALSE(master.hasVolumeControl());
    EXPECT_EQ(master.level(), -1);
    EXPECT_EQ(master.stepCount(), -1);
    EXPECT_EQ(master.minimumLevel(), -1);
    EXPECT_EQ(master.maximumLevel(), -1);
    master.setLevel(3 * kPositionStep);
    master.switchOff();
    EXPECT_EQ(master.level(), -1);
    EXPECT_EQ(sinkVolume(), kServerFullVolume);
    EXPECT_FALSE(sinkMuted());
    EXPECT_FALSE(changes.wait(200));
}

} // namespace

TEST_F(MasterVolumeTest, AfterTheSoundServerStartsAgainItsLevelIsSetAndFollowedAgain)
{
    RestartableServer server;
    if (!server.start())
        GTEST_SKIP() << "no PulseAudio server of the test's own";
    AlsaMasterVolume master;
    ASSERT_TRUE(master.hasVolumeControl());
    QSignalSpy opened(&master, &VolumeControl::opened);

    server.stop();
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(opened.wait(10000)) << "the new server's mixer is opened";
    QSignalSpy changes(&master, &VolumeControl::levelChanged);
    setSinkVolume(kServerFullVolume / 4);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_EQ(changes.last().at(0).toInt(), 16384);
    master.setLevel(10 * kPositionStep);
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_NEAR(sinkVolume(), 32770, 1);
}
