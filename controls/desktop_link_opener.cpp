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

DesktopLinkOpener::DesktopLinkOpener(OpenUrl openUrl, QString xdgOpen)
    : m_openUrl(openUrl ? std::move(openUrl) : OpenUrl(&QDesktopServices::openUrl)), m_xdgOpen(std::move(xdgOpen))
{
}

void DesktopLinkOpener::open(const QString& address, Done done)
{
    // xdg-open goes first: only its exit status tells whether a browser took the
    // address. The desktop services merely start it and count that as opened, so
    // they are asked only where it cannot be run at all.
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
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, reply, openUrl = m_openUrl, address](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             reply(openUrl(QUrl(address)) ? Result{Outcome::Opened} : Result{Outcome::NoHandler});
                             process->deleteLater();
                         }
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [process, reply](int exitCode, QProcess::ExitStatus status) {
                         reply(status == QProcess::CrashExit ? Result{Outcome::HandlerFailed} : resultOfExit(exitCode));
                         process->deleteLater();
                     });
    QTimer::singleShot(kPatienceMs, process, [reply] { reply({Outcome::Opened}); });
    // What xdg-open and the browser it starts print goes where the program's own output goes.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(m_xdgOpen, {address});
}
