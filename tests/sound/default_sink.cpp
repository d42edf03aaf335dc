#include "tests/sound/default_sink.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>

namespace {

QString pactl(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    process.waitForFinished(5000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void setSink(const char* what, const QString& value)
{
    pactl({QString::fromLatin1(what), QStringLiteral("@DEFAULT_SINK@"), value});
}

} // namespace

int sinkVolume()
{
    // A level is written to ALSA's element one channel after the other.
    const QString text = pactl({QStringLiteral("get-sink-volume"), QStringLiteral("@DEFAULT_SINK@")});
    int volume = -1;
    for (const QRegularExpressionMatch& channel :
         QRegularExpression(QStringLiteral("[\\w-]+: (\\d+) /")).globalMatch(text)) {
        const int channelVolume = channel.captured(1).toInt();
        if (volume >= 0 && channelVolume != volume)
            return -1;
        volume = channelVolume;
    }
    return volume;
}

bool sinkMuted()
{
    return pactl({QStringLiteral("get-sink-mute"), QStringLiteral("@DEFAULT_SINK@")}).contains(QStringLiteral("yes"));
}

void setSinkVolume(int volume)
{
    setSink("set-sink-volume", QString::number(volume));
}

void setSinkMuted(bool muted)
{
    setSink("set-sink-mute", muted ? QStringLiteral("1") : QStringLiteral("0"));
}

void setSinkSuspended(bool suspended)
{
    setSink("suspend-sink", suspended ? QStringLiteral("1") : QStringLiteral("0"));
}

int playingStreams()
{
    return static_cast<int>(pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")})
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                .size());
}
