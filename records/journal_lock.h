#pragma once

#include "records/file_descriptor.h"

#include <string>

// The lock a running program holds on the journal it writes, so that another
// program on the same home folder (a network home, a second start) never
// offers, replaces or deletes it. It is a lock file beside the journal, which
// the system lets go of when the program ends however it ends.
class JournalLock {
public:
    // Takes the lock of the journal at path; false when another program holds
    // it or no lock file can be made there.
    bool acquire(const std::string& journalPath);
    void release();
    const std::string& journalPath() const { return m_journalPath; }

    // Whether a program other than this one holds the lock of the journal at path.
    static bool isHeldElsewhere(const std::string& journalPath);

private:
    std::string m_journalPath;
    FileDescriptor m_file;
};
