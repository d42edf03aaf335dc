#include "single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {

constexpr const char* kActivateRequest = "activate";

// Per user: the runtime folder belongs to the user alone.
QString InstanceFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

QByteArray Line(const char* text)
{
    return QByteArray(text) + '\n';
}

} // namespace

CSingleInstance::CSingleInstance(QObject* parent)
    : QObject(parent), m_lock(LockFilePath())
{
    // Only a dead owner makes the lock stale, never its age.
    m_lock.setStaleLockTime(0);
}

CSingleInstance::~CSingleInstance() = default;

QString CSingleInstance::LockFilePath() const
{
    return InstanceFolder() + '/' + kMutexName + QStringLiteral(".lock");
}

QString CSingleInstance::ServerPath() const
{
    return InstanceFolder() + '/' + kMessageName + '-' + QString::number(::getuid());
}

bool CSingleInstance::Acquire()
{
    if (m_lock.tryLock(0))
        return true;
    // Any other failure to create the lock lets the program run rather than
    // lock the user out.
    return m_lock.error() != QLockFile::LockFailedError && m_lock.error() != QLockFile::PermissionError;
}

bool CSingleInstance::ActivateRunningInstance(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(ServerPath());
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
        return false;
    socket.write(Line(kMessageName));
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    if (socket.readLine() != Line(kMessageName))
        return false;
    socket.write(Line(kActivateRequest));
    socket.waitForBytesWritten(kAnswerTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool CSingleInstance::Listen()
{
    m_pServer = std::make_unique<QLocalServer>();
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left behind is from a dead instance.
    QLocalServer::removeServer(ServerPath());
    if (!m_pServer->listen(ServerPath()))
        return false;
    connect(m_pServer.get(), &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    return true;
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine();
                if (line == Line(kMessageName))
                    socket->write(Line(kMessageName));
                else if (line == Line(kActivateRequest))
                    emit ActivationRequested();
            }
        });
    }
}
