#pragma once

#include "records/edit_journal.h"
#include "records/journal_format.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Appends every edit of the document to its journal of unsaved changes.
// Each edit is one write of one small frame, made before the document goes
// on, so it survives the program being killed; reaching the disk itself
// (fdatasync) happens on a worker thread so that no caller waits for the disk.
class JournalWriter : public EditJournal {
public:
    JournalWriter();
    ~JournalWriter() override;
    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // The journal that edits go to from now on. No file is made before the
    // first edit; an existing file at path is replaced by it.
    void begin(const std::string& path, const JournalHeader& header);
    // Makes the journal at once, holding these entries, and appends to it.
    void beginWith(const std::string& path, const JournalHeader& header, const std::vector<JournalEntry>& entries);
    // Deletes the journal: everything in it is saved or given up. The next edit starts it anew.
    void discard();
    // Waits until everything written so far has reached the disk.
    void waitUntilSynced();

    const std::string& path() const { return m_path; }
    // The errno of the last write that failed, 0 when every write succeeded.
    int lastError() const { return m_lastError; }

    void record(const DocumentEdit& edit) override;

private:
    void writeFrame();
    bool create(const std::vector<std::uint8_t>& contents, bool replaceAtomically);
    void closeFile();
    void syncLoop();

    std::string m_path;
    JournalHeader m_header;
    int m_fd = -1;
    int m_lastError = 0;
    std::vector<std::uint8_t> m_frame; // reused, so an edit allocates nothing once warm

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
