#pragma once

#include "records/file_descriptor.h"

#include <string>

// The lock a running program holds on the journal it writes, so that another
// program on the same home folder (a network home, a second start) never
// offers, replaces or deletes it. It is a lock file beside the journal, which
// the system lets go of when the program ends however it ends; the program
// deletes the file when it lets go of the lock itself.
class JournalLock {
public:
    JournalLock() = default;
    ~JournalLock();
    JournalLock(JournalLock&& other) noexcept = default;
    JournalLock& operator=(JournalLock&& other) noexcept;

    // Takes the lock of the journal at path; false when another program holds
    // it (errno EWOULDBLOCK) or no lock file can be made there (its errno).
    bool acquire(const std::string& journalPath);
    void release();
    bool isHeld() const { return m_file.get() >= 0; }
    const std::string& journalPath() const { return m_journalPath; }

private:
    std::string m_journalPath;
    FileDescriptor m_file;
};
