#include "app/first_paint_probe.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <fstream>
#include <string>

long residentMemoryKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

FirstPaintProbe::FirstPaintProbe(QObject* watched) : QObject(watched)
{
    watched->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && !m_reported) {
        m_reported = true;
        // Reported once the paint itself is done.
        QMetaObject::invokeMethod(
            this,
            [] {
                std::printf("first-paint rss-kb=%ld\n", residentMemoryKiB());
                std::fflush(stdout);
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}
