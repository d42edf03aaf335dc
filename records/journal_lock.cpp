#include "records/journal_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

std::string lockPath(const std::string& journalPath)
{
    return journalPath + ".lock";
}

// Another program deletes the lock file between this one's open and lock at
// most once per lock it lets go of; more attempts than that mean something
// deletes it all the time.
constexpr int kMostAttempts = 32;

} // namespace

JournalLock::~JournalLock()
{
    release();
}

JournalLock& JournalLock::operator=(JournalLock&& other) noexcept
{
    if (this != &other) {
        release();
        m_file = std::move(other.m_file);
        m_journalPath = std::move(other.m_journalPath);
    }
    return *this;
}

bool JournalLock::acquire(const std::string& journalPath)
{
    if (isHeld() && journalPath == m_journalPath)
        return true;
    release();
    const std::string path = lockPath(journalPath);
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        FileDescriptor file(::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (file.get() < 0 || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            file = FileDescriptor();
            errno = error;
            return false;
        }
        // The holder before deletes the file while it still holds it: a lock
        // taken on the file after that is no lock, as the next program makes
        // a new file under the name and locks that one.
        struct stat locked { };
        struct stat named { };
        if (::fstat(file.get(), &locked) == 0 && ::stat(path.c_str(), &named) == 0 && locked.st_dev == named.st_dev &&
            locked.st_ino == named.st_ino) {
            m_file = std::move(file);
            m_journalPath = journalPath;
            return true;
        }
    }
    errno = EWOULDBLOCK;
    return false;
}

void JournalLock::release()
{
    if (!isHeld())
        return;
    // Deleted while still held: deleted after, it could be a file another program has just locked.
    ::unlink(lockPath(m_journalPath).c_str());
    m_file = FileDescriptor();
    m_journalPath.clear();
}
