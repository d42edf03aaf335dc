#pragma once

#include "records/edit_journal.h"
#include "records/journal_format.h"
#include "records/journal_lock.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Appends every edit of the document to its journal of unsaved changes.
// Each edit is one write of one small frame, made before the document goes
// on, so it survives the program being killed; reaching the disk itself
// (fdatasync) happens on a worker thread so that no caller waits for the disk.
// A write cut short (a full disk) is cut back to the last complete entry, so
// that the entries written once there is room again are read back too. The
// writer holds the journal's lock while the journal is its own.
class JournalWriter : public EditJournal {
public:
    // Told when the journal stops keeping the unsaved changes (false, with the
    // errno) and when it keeps them again (true, 0).
    using ProtectionHandler = std::function<void(bool protecting, int error)>;
    // The journal's file for each number from 1, an empty path past the last:
    // the next is taken when another program holds the one before.
    using FileNames = std::function<std::string(int number)>;

    JournalWriter();
    ~JournalWriter() override;
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    void setProtectionHandler(ProtectionHandler handler) { m_onProtection = std::move(handler); }

    // The journal that edits go to from now on (none: no names). No file is
    // made and no lock taken before the first edit, which takes the first
    // file no other program holds and replaces what is there.
    void begin(FileNames names, const JournalHeader& header);
    // Goes on with the journal whose lock is given, whose first completeLength
    // bytes hold complete entries: what a crash left after them is cut away.
    void resume(JournalLock journalLock, std::uint64_t completeLength);
    // Deletes the journal and its lock file: everything in it is saved or
    // given up. The next edit starts it anew.
    void discard();
    // Waits until everything written so far has reached the disk.
    void waitUntilSynced();

    const std::string& path() const { return m_path; }
    // The errno of the last write that failed, 0 when every write succeeded.
    int lastError() const { return m_lastError; }
    bool isProtecting() const { return !m_troubled; }

    void record(const DocumentEdit& edit) override;
    // Written when the interval starts, anew into each new journal file, and
    // then as a sign of life every few seconds of its time.
    void keepRunningInterval(const AppendInterval& cutOff) override;
    void beginStep() override;
    void endStep() override;

private:
    void writeFrame();
    void writeStepMark(bool begins);
    bool create(const std::vector<std::uint8_t>& contents);
    bool takeFirstFreeName();
    void closeFile();
    void syncLoop();
    void reportWritten(bool written);

    FileNames m_names;
    std::string m_path; // set while the lock is held
    JournalHeader m_header;
    JournalLock m_lock;
    ProtectionHandler m_onProtection;
    int m_fd = -1;
    std::uint64_t m_completeLength = 0; // the file's bytes up to its last complete entry
    int m_lastError = 0;
    bool m_troubled = false;
    std::atomic<int> m_syncError{0};
    std::vector<std::uint8_t> m_frame;              // reused, so an edit allocates nothing once warm
    std::optional<AppendInterval> m_runningWritten; // the running interval as last written to this file

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_synced;
    std::uint64_t m_writes = 0; // frames written to m_fd
    std::uint64_t m_syncedWrites = 0;
    bool m_syncing = false;
    bool m_newFile = false; // its folder entry must reach the disk too
    bool m_stopping = false;
    std::thread m_syncThread;
};
