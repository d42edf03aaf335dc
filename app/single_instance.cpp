#include "app/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr const char* kActivateRequest = "activate";
// Longer lines are no question of ours.
constexpr qsizetype kLongestLine = 256;

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

// None when the path does not fit a socket address.
std::optional<sockaddr_un> socketAddress(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    sockaddr_un address{};
    if (bytes.isEmpty() || static_cast<std::size_t>(bytes.size()) >= sizeof address.sun_path)
        return std::nullopt;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return address;
}

FileDescriptor localSocket()
{
    return FileDescriptor(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
}

// Waits until the socket is ready for `events`; false when the deadline passed first.
bool waitFor(int socket, short events, const QDeadlineTimer& deadline)
{
    pollfd ready{socket, events, 0};
    for (;;) {
        const int result = ::poll(&ready, 1, static_cast<int>(deadline.remainingTime()));
        if (result > 0)
            return true;
        if (result == 0 || errno != EINTR)
            return false;
    }
}

bool sendLine(int socket, const QByteArray& line, const QDeadlineTimer& deadline)
{
    qsizetype sent = 0;
    while (sent < line.size()) {
        const ssize_t count =
            ::send(socket, line.constData() + sent, static_cast<std::size_t>(line.size() - sent), MSG_NOSIGNAL);
        if (count >= 0)
            sent += count;
        else if (errno == EAGAIN ? !waitFor(socket, POLLOUT, deadline) : errno != EINTR)
            return false;
    }
    return true;
}

// The first line the socket gives, with its line end; empty when none came in time.
QByteArray receiveLine(int socket, const QDeadlineTimer& deadline)
{
    QByteArray received;
    while (!received.contains('\n') && received.size() < kLongestLine) {
        char part[kLongestLine];
        const ssize_t count = ::recv(socket, part, sizeof part, 0);
        if (count > 0)
            received.append(part, count);
        else if (count == 0 || (errno == EAGAIN ? !waitFor(socket, POLLIN, deadline) : errno != EINTR))
            return {};
    }
    const qsizetype end = received.indexOf('\n');
    return end < 0 ? QByteArray() : received.left(end + 1);
}

} // namespace

SingleInstance::SingleInstance(QObject* parent) : QObject(parent)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server.get() >= 0)
        ::unlink(QFile::encodeName(serverPath()).constData());
}

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
    // The file stays when the instance ends: removing it would let a starting
    // instance lock a file no later one finds. Nothing is written into it, so
    // taking it costs no wait for the disk.
    FileDescriptor lock(
        ::open(QFile::encodeName(lockFilePath()).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    // A lock that cannot be made at all (a read-only runtime folder) or that
    // belongs to someone else (in a shared temporary folder) lets the program
    // run alone, without answering later instances.
    struct stat owner { };
    if (lock.get() < 0 || ::fstat(lock.get(), &owner) != 0 || owner.st_uid != ::geteuid())
        return true;
    while (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EINTR)
            return errno != EWOULDBLOCK; // only a live instance holds the lock
    }
    m_lock = std::move(lock);
    return true;
}

bool SingleInstance::activateRunningInstance(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    const std::optional<sockaddr_un> address = socketAddress(serverPath());
    const FileDescriptor socket = localSocket();
    if (!address || socket.get() < 0 ||
        ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0)
        return false;
    if (!sendLine(socket.get(), messageLine(kMessageName), deadline) ||
        receiveLine(socket.get(), deadline) != messageLine(kMessageName))
        return false;
    sendLine(socket.get(), messageLine(kActivateRequest), QDeadlineTimer(kAnswerTimeoutMs));
    return true;
}

bool SingleInstance::listen()
{
    // Without the lock the socket may be another instance's.
    if (m_lock.get() < 0)
        return false;
    const std::optional<sockaddr_un> address = socketAddress(serverPath());
    FileDescriptor server = localSocket();
    if (!address || server.get() < 0)
        return false;
    // We hold the lock, so a socket file left behind is from a dead instance.
    ::unlink(address->sun_path);
    if (::bind(server.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0)
        return false;
    // Other users may neither ask nor activate.
    if (::chmod(address->sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(server.get(), 8) != 0) {
        ::unlink(address->sun_path);
        return false;
    }
    m_server = std::move(server);
    auto* notifier = new QSocketNotifier(m_server.get(), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &SingleInstance::acceptCallers);
    return true;
}

void SingleInstance::acceptCallers()
{
    for (;;) {
        FileDescriptor socket(::accept4(m_server.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (socket.get() < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        auto caller = std::make_unique<Caller>();
        caller->notifier = new QSocketNotifier(socket.get(), QSocketNotifier::Read, this);
        caller->socket = std::move(socket);
        connect(caller->notifier, &QSocketNotifier::activated, this, [this, served = caller.get()] {
            if (serve(*served))
                return;
            served->notifier->setEnabled(false);
            served->notifier->deleteLater();
            std::erase_if(m_callers, [served](const std::unique_ptr<Caller>& entry) { return entry.get() == served; });
        });
        m_callers.push_back(std::move(caller));
    }
}

bool SingleInstance::serve(Caller& caller)
{
    for (;;) {
        char part[kLongestLine];
        const ssize_t count = ::recv(caller.socket.get(), part, sizeof part, 0);
        if (count == 0)
            return false;
        if (count < 0)
            return errno == EAGAIN || errno == EINTR;
        caller.received.append(part, count);
        for (qsizetype end = caller.received.indexOf('\n'); end >= 0; end = caller.received.indexOf('\n')) {
            const QByteArray line = caller.received.left(end + 1);
            caller.received.remove(0, end + 1);
            if (line == messageLine(kMessageName))
                sendLine(caller.socket.get(), line, QDeadlineTimer(kAnswerTimeoutMs));
            else if (line == messageLine(kActivateRequest))
                emit activationRequested();
        }
        if (caller.received.size() > kLongestLine)
            return false;
    }
}
