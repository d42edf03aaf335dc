#pragma once

#include <QObject>

// For the start-up benchmark: once the watched window has been painted for
// the first time, prints "first-paint rss-kb=<resident memory>" on standard
// output and ends the event loop.
class FirstPaintProbe : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kEnvironmentSwitch = "JHAVARI_EXIT_AFTER_FIRST_PAINT";

    explicit FirstPaintProbe(QObject* watched);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_reported = false;
};

// Resident memory of this process in KiB, from /proc/self/status.
long residentMemoryKiB();
