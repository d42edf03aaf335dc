// Runs against a private PulseAudio server (with_pulseaudio.sh): ALSA's
// "default" control device is then the server's volume, as on a desktop.
#include "sound/alsa_master_volume.h"
#include "tests/support/scoped_environment.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace {

// PulseAudio's full volume, the top of the plug-in's element range.
constexpr int kServerFullVolume = 65536;
constexpr int kPositionStep = 3277;

QString pactl(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int sinkVolume()
{
    const QString text = pactl({QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")});
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("front-left: (\\d+) ")).match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool sinkMuted()
{
    return pactl({QStringLiteral("get-sink-mute"), QStringLiteral("@DEFAULT_SINK@")}).contains(QStringLiteral("yes"));
}

void setSink(const char* what, const QString& value)
{
    pactl({QString::fromLatin1(what), QStringLiteral("@DEFAULT_SINK@"), value});
}

class MasterVolumeTest : public testing::Test
{
protected:
    // The mixer the sound server offers, not one set from outside.
    const ScopedEnvironment m_mixer{"JHAVARI_ALSA_MIXER", std::nullopt};

    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("JHAVARI_PRIVATE_SOUND_SERVER"))
            GTEST_SKIP() << "changes the volume: run through tests/sound/with_pulseaudio.sh";
        setSink("set-sink-volume", QString::number(kServerFullVolume));
        setSink("set-sink-mute", QStringLiteral("0"));
    }
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

    setSink("set-sink-volume", QString::number(kServerFullVolume / 4));
    ASSERT_TRUE(changes.wait(5000));
    EXPECT_EQ(changes.last().at(0).toInt(), 16384);
    EXPECT_EQ(master.level(), 16384);

    changes.clear();
    setSink("set-sink-mute", QStringLiteral("1"));
    EXPECT_FALSE(changes.wait(500));
}

TEST_F(MasterVolumeTest, SwitchingOnUnmutesTheOutputAndSwitchingOffMutesIt)
{
    setSink("set-sink-mute", QStringLiteral("1"));
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
