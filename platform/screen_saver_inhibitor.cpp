#include "platform/screen_saver_inhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QFileInfo>
#include <QLoggingCategory>

#include <utility>

namespace {

Q_LOGGING_CATEGORY(lcScreenSaver, "jhavari.screensaver", QtInfoMsg)

constexpr auto kService = "org.freedesktop.ScreenSaver";
constexpr auto kServicePath = "/org/freedesktop/ScreenSaver";
constexpr auto kPortal = "org.freedesktop.portal.Desktop";
constexpr auto kPortalPath = "/org/freedesktop/portal/desktop";
// What the desktop may show about the inhibition.
constexpr auto kReason = "Measuring meditation intervals";
// The portal's flag for the session going idle.
constexpr uint kIdle = 8;

// A sandbox lets the program reach the desktop's services only through the portal.
bool isSandboxed()
{
    return QFileInfo::exists(QStringLiteral("/.flatpak-info")) || qEnvironmentVariableIsSet("SNAP");
}

QDBusMessage inhibitCall(bool throughPortal)
{
    if (throughPortal) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kPortal, kPortalPath, "org.freedesktop.portal.Inhibit", "Inhibit");
        const QVariantMap options{{QStringLiteral("reason"), QString::fromLatin1(kReason)}};
        call << QString() << kIdle << options;
        return call;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kServicePath, kService, "Inhibit");
    call << QCoreApplication::applicationName() << QString::fromLatin1(kReason);
    return call;
}

QDBusMessage releaseCall(bool throughPortal, const QVariant& held)
{
    if (throughPortal)
        return QDBusMessage::createMethodCall(kPortal, held.value<QDBusObjectPath>().path(),
                                              "org.freedesktop.portal.Request", "Close");
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kServicePath, kService, "UnInhibit");
    call << held;
    return call;
}

} // namespace

ScreenSaverInhibitor::ScreenSaverInhibitor(QObject* parent) : QObject(parent), m_throughPortal(isSandboxed())
{
}

void ScreenSaverInhibitor::setInhibited(bool inhibited)
{
    m_wanted = inhibited;
    // While the service has not answered, its answer decides.
    if (m_asking)
        return;
    if (inhibited && !m_held.isValid())
        ask();
    else if (!inhibited && m_held.isValid())
        release();
}

void ScreenSaverInhibitor::ask()
{
    // The bus was connected on a worker thread at start-up.
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    m_asking = true;
    auto* call = new QDBusPendingCallWatcher(bus.asyncCall(inhibitCall(m_throughPortal)), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &ScreenSaverInhibitor::onAnswer);
}

void ScreenSaverInhibitor::onAnswer(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    m_asking = false;
    const QDBusMessage answer = call->reply();
    if (answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty())
        m_held = answer.arguments().constFirst();
    else
        qCDebug(lcScreenSaver) << "the screen saver cannot be held off:" << answer.errorMessage();
    if (!m_wanted && m_held.isValid())
        release();
}

void ScreenSaverInhibitor::release()
{
    QDBusConnection::sessionBus().send(releaseCall(m_throughPortal, std::exchange(m_held, QVariant())));
}
