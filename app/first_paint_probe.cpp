#include "first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <fstream>
#include <string>

long ResidentMemoryKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

CFirstPaintProbe::CFirstPaintProbe(QObject* watched) : QObject(watched)
{
    watched->installEventFilter(this);
}

bool CFirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !m_bReported) {
        m_bReported = true;
        // Reported once the paint itself is done.
        QMetaObject::invokeMethod(
            this,
            [] {
                std::printf("first-paint rss-kb=%ld\n", ResidentMemoryKiB());
                std::fflush(stdout);
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
