#include "records/journal_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::string lockPath(const std::string& journalPath)
{
    return journalPath + ".lock";
}

} // namespace

bool JournalLock::acquire(const std::string& journalPath)
{
    if (m_file.get() >= 0 && journalPath == m_journalPath)
        return true;
    release();
    // The lock file is never deleted: deleting it would let two programs lock two different files.
    FileDescriptor file(::open(lockPath(journalPath).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
    if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    m_file = std::move(file);
    m_journalPath = journalPath;
    return true;
}

void JournalLock::release()
{
    m_file = FileDescriptor();
    m_journalPath.clear();
}

bool JournalLock::isHeldElsewhere(const std::string& journalPath)
{
    const int fd = ::open(lockPath(journalPath).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}
