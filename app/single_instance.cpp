#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace {

constexpr const char* kActivateRequest = "activate";

// Per user: the runtime folder belongs to the user alone.
QString instanceFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder;
}

QByteArray messageLine(const char* text)
{
    return QByteArray(text) + '\n';
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent), m_lock(lockFilePath())
{
    // Only a dead owner makes the lock stale, never its age.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockFilePath() const
{
    return instanceFolder() + '/' + kMutexName + QStringLiteral(".lock");
}

QString SingleInstance::serverPath() const
{
    return instanceFolder() + '/' + kMessageName + '-' + QString::number(::getuid());
}

bool SingleInstance::acquire()
{
    if (m_lock.tryLock(0))
        return true;
    // Only a lock held by a live instance means another one runs. A lock that
    // cannot be made at all (a read-only runtime folder) lets the program run
    // alone, without answering later instances.
    return m_lock.error() != QLockFile::LockFailedError;
}

bool SingleInstance::activateRunningInstance(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(serverPath());
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
        return false;
    socket.write(messageLine(kMessageName));
    if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
        return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    if (socket.readLine() != messageLine(kMessageName))
        return false;
    socket.write(messageLine(kActivateRequest));
    socket.waitForBytesWritten(kAnswerTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen()
{
    // Without the lock the socket may be another instance's.
    if (!m_lock.isLocked())
        return false;
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left behind is from a dead instance.
    QLocalServer::removeServer(serverPath());
    if (!m_server->listen(serverPath()))
        return false;
    connect(m_server.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray line = socket->readLine();
                if (line == messageLine(kMessageName))
                    socket->write(messageLine(kMessageName));
                else if (line == messageLine(kActivateRequest))
                    emit activationRequested();
            }
        });
    }
}
