#include "app/first_paint_probe.h"

#include <QCoreApplication>

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

FirstPaintProbe::FirstPaintProbe(QObject* watched)
    : AfterFirstPaint(watched, [] {
          std::printf("first-paint rss-kb=%ld\n", residentMemoryKiB());
          std::fflush(stdout);
          QCoreApplication::quit();
      })
{
}
