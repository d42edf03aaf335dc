#pragma once

#include <QProcess>

#include <cstdint>
#include <vector>

// Listens to what the private server's default sink plays (parec on its monitor), as mono 16-bit samples at
// kRate, from its construction until stop().
class SinkMonitor {
public:
    static constexpr int kRate = 48000;

    SinkMonitor();
    // Whether the monitor's samples flow.
    bool isListening() const { return m_listening; }
    // The left channel.
    std::vector<std::int16_t> stop();

private:
    bool m_listening = false;
    QProcess m_recorder;
    QByteArray m_bytes;
};
