#include "records/journal_writer.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

// How much of a running interval a crash may lose at most.
constexpr CalendarTime kSignOfLifeSeconds = 5;

std::int64_t now()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

JournalWriter::JournalWriter() : m_syncThread([this] { syncLoop(); })
{
}

JournalWriter::~JournalWriter()
{
    closeFile();
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    m_syncThread.join();
}

void JournalWriter::begin(FileNames names, const JournalHeader& header)
{
    closeFile();
    m_path.clear();
    m_lock.release();
    m_names = std::move(names);
    m_header = header;
}

void JournalWriter::resume(JournalLock journalLock, std::uint64_t completeLength)
{
    closeFile();
    m_lock = std::move(journalLock);
    m_path = m_lock.journalPath();
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0 || ::ftruncate(fd, static_cast<off_t>(completeLength)) != 0) {
        m_lastError = errno;
        if (fd >= 0)
            ::close(fd);
        reportWritten(false);
        return;
    }
    std::lock_guard lock(m_mutex);
    m_fd = fd;
    m_completeLength = completeLength;
}

void JournalWriter::discard()
{
    closeFile();
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    m_path.clear();
    m_lock.release();
}

void JournalWriter::record(const DocumentEdit& edit)
{
    m_frame.clear();
    appendEditFrame(m_frame, now(), edit);
    writeFrame();
}

void JournalWriter::keepRunningInterval(const AppendInterval& cutOff)
{
    if (m_runningWritten && m_runningWritten->type == cutOff.type &&
        m_runningWritten->record.m_timeStart == cutOff.record.m_timeStart &&
        cutOff.record.m_timeEnd - m_runningWritten->record.m_timeEnd < kSignOfLifeSeconds)
        return;
    // Tried once per sign of life, also where the journal cannot be written (a full disk).
    m_frame.clear();
    appendRunningIntervalFrame(m_frame, now(), cutOff);
    writeFrame();
    m_runningWritten = cutOff;
}

void JournalWriter::beginStep()
{
    writeStepMark(true);
}

void JournalWriter::endStep()
{
    writeStepMark(false);
}

void JournalWriter::writeStepMark(bool begins)
{
    m_frame.clear();
    appendStepFrame(m_frame, now(), begins);
    writeFrame();
}

void JournalWriter::writeFrame()
{
    if (m_path.empty() && !m_names)
        return;
    if (m_fd < 0) {
        std::vector<std::uint8_t> contents;
        appendJournalMagic(contents);
        m_header.m_writtenAt = now();
        appendHeaderFrame(contents, m_header);
        contents.insert(contents.end(), m_frame.begin(), m_frame.end());
        reportWritten(create(contents));
        return;
    }
    if (!writeAll(m_fd, m_frame.data(), m_frame.size())) {
        m_lastError = errno;
        // Whatever part of the entry got written goes again, so the next entry follows a complete one.
        [[maybe_unused]] const int cut = ::ftruncate(m_fd, static_cast<off_t>(m_completeLength));
        reportWritten(false);
        return;
    }
    m_completeLength += m_frame.size();
    {
        std::lock_guard lock(m_mutex);
        ++m_writes;
    }
    m_wake.notify_one();
    reportWritten(true);
}

void JournalWriter::reportWritten(bool written)
{
    // A sync of earlier entries that failed on the worker counts as a failed write too.
    if (const int syncError = m_syncError.exchange(0); written && syncError != 0) {
        m_lastError = syncError;
        written = false;
    }
    if (written == !m_troubled)
        return;
    m_troubled = !written;
    if (m_onProtection)
        m_onProtection(written, written ? 0 : m_lastError);
}

bool JournalWriter::takeFirstFreeName()
{
    // A name whose lock cannot be had is passed over: another program holds
    // it, or another user left its lock file. Where no lock file can be made
    // at all, the last name tells why.
    int error = EWOULDBLOCK;
    for (int number = 1;; ++number) {
        const std::string path = m_names(number);
        if (path.empty())
            break;
        if (m_lock.acquire(path)) {
            m_path = path;
            return true;
        }
        error = errno;
    }
    m_lastError = error;
    return false;
}

bool JournalWriter::create(const std::vector<std::uint8_t>& contents)
{
    if (m_path.empty() && !takeFirstFreeName())
        return false;
    // A first edit has nothing to lose and does not wait for the disk.
    const int fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_lastError = errno;
        return false;
    }
    if (!writeAll(fd, contents.data(), contents.size())) {
        m_lastError = errno;
        ::close(fd);
        ::unlink(m_path.c_str());
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_fd = fd;
    m_completeLength = contents.size();
    m_newFile = true;
    ++m_writes;
    m_wake.notify_one();
    return true;
}

void JournalWriter::waitUntilSynced()
{
    std::unique_lock lock(m_mutex);
    m_synced.wait(lock, [this] { return m_fd < 0 || (!m_syncing && m_syncedWrites == m_writes); });
}

void JournalWriter::closeFile()
{
    std::unique_lock lock(m_mutex);
    m_synced.wait(lock, [this] { return !m_syncing; });
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_writes = m_syncedWrites = 0;
    m_newFile = false;
    m_runningWritten.reset();
}

void JournalWriter::syncLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || (m_fd >= 0 && m_syncedWrites != m_writes); });
        if (m_stopping)
            return;
        // The descriptor stays open while m_syncing is set: closeFile() waits for it.
        const int fd = m_fd;
        const std::uint64_t target = m_writes;
        const bool newFile = m_newFile;
        const std::string folder = newFile ? folderOf(m_path) : std::string();
        m_newFile = false;
        m_syncing = true;
        lock.unlock();
        if (::fdatasync(fd) != 0)
            m_syncError = errno;
        if (newFile) {
            const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (folderFd >= 0) {
                ::fsync(folderFd);
                ::close(folderFd);
            }
        }
        lock.lock();
        m_syncing = false;
        m_syncedWrites = target;
        m_synced.notify_all();
    }
}
