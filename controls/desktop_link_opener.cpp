#include "controls/desktop_link_opener.h"

#include <QDesktopServices>
#include <QProcess>
#include <QTimer>

#include <memory>

namespace {

// xdg-open's exit statuses.
constexpr int kToolNotFound = 3;
constexpr int kActionFailed = 4;

LinkOpener::Result resultOfExit(int exitCode)
{
    switch (exitCode) {
    case 0: return {LinkOpener::Outcome::Opened};
    case kToolNotFound: return {LinkOpener::Outcome::HandlerNotFound};
    case kActionFailed: return {LinkOpener::Outcome::HandlerFailed};
    default: return {LinkOpener::Outcome::OtherError, exitCode};
    }
}

} // namespace

DesktopLinkOpener::DesktopLinkOpener(OpenUrl openUrl, QString fallbackProgram)
    : m_openUrl(openUrl ? std::move(openUrl) : OpenUrl(&QDesktopServices::openUrl)),
      m_fallbackProgram(std::move(fallbackProgram))
{
}

void DesktopLinkOpener::open(const QString& address, Done done)
{
    if (m_openUrl(QUrl(address))) {
        done({Outcome::Opened});
        return;
    }

    // Some browsers keep xdg-open waiting until they close; the process then
    // lives on by itself and only its first answer counts.
    auto* process = new QProcess;
    auto answer = std::make_shared<Done>(std::move(done));
    auto reply = [answer](Result result) {
        if (*answer) {
            (*answer)(result);
            *answer = nullptr;
        }
    };
    QObject::connect(process, &QProcess::errorOccurred, process, [process, reply](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            reply({Outcome::NoHandler});
            process->deleteLater();
        }
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, reply](int exitCode, QProcess::ExitStatus status) {
                         reply(status == QProcess::CrashExit ? Result{Outcome::HandlerFailed} : resultOfExit(exitCode));
                         process->deleteLater();
                     });
    QTimer::singleShot(kFallbackPatienceMs, process, [reply] { reply({Outcome::Opened}); });
    process->start(m_fallbackProgram, {address});
}
