#pragma once

#include "app/after_first_paint.h"

// For the start-up benchmark: once the watched window has been painted for
// the first time, prints "first-paint rss-kb=<resident memory>" on standard
// output and ends the event loop.
class FirstPaintProbe : public AfterFirstPaint {
    Q_OBJECT
public:
    static constexpr const char* kEnvironmentSwitch = "JHAVARI_EXIT_AFTER_FIRST_PAINT";

    explicit FirstPaintProbe(QObject* watched);
};

// Resident memory of this process in KiB, from /proc/self/status.
long residentMemoryKiB();
