#include "tests/sound/sink_monitor.h"

#include <QTest>

#include <cstring>

SinkMonitor::SinkMonitor()
{
    QObject::connect(&m_recorder, &QProcess::readyReadStandardOutput,
                     [this] { m_bytes += m_recorder.readAllStandardOutput(); });
    m_recorder.start(QStringLiteral("parec"),
                     {QStringLiteral("--device=@DEFAULT_MONITOR@"), QStringLiteral("--raw"),
                      QStringLiteral("--format=s16le"), QStringLiteral("--channels=2"),
                      QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--latency-msec=20")});
    m_recorder.waitForStarted(5000);
    // The recording stream connects a moment after the start; then the monitor's silence flows.
    m_listening = QTest::qWaitFor([this] { return m_bytes.size() >= kRate / 10 * 4; }, 5000);
}

std::vector<std::int16_t> SinkMonitor::stop()
{
    QTest::qWait(300);
    m_recorder.terminate();
    m_recorder.waitForFinished(5000);
    m_bytes += m_recorder.readAllStandardOutput();
    std::vector<std::int16_t> frames(static_cast<std::size_t>(m_bytes.size()) / 4 * 2);
    std::memcpy(frames.data(), m_bytes.constData(), frames.size() * 2);
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < frames.size(); i += 2)
        left.push_back(frames[i]);
    return left;
}
