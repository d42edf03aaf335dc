#pragma once

#include "records/document_edit.h"
#include "records/file_identity.h"
#include "records/interval_record.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TrainingDocument;

// The journal of unsaved changes is a file of frames after an eight-byte
// magic. A frame is its payload's length and CRC-32 (both 32-bit little
// endian), then the payload: a kind byte, the time it was written (64-bit
// seconds since 1970) and the kind's data. The first frame is the header.
// Reading stops at the first frame that is cut short or does not match its
// CRC, so a journal cut by a crash gives every entry written completely.
inline constexpr char kJournalMagic[8] = {'J', 'H', 'V', 'J', 'R', 'N', 'L', '1'};

// The document a journal belongs to and its file as it was loaded.
class JournalHeader {
public:
    std::string m_documentPath; // empty for the untitled document
    FileIdentity m_identity;
    std::int64_t m_writtenAt = 0;
};

// One edit as read back from a journal, with the time it was written.
class JournalEntry {
public:
    std::int64_t m_writtenAt = 0;
    DocumentEdit m_edit;
};

void appendJournalMagic(std::vector<std::uint8_t>& out);
void appendHeaderFrame(std::vector<std::uint8_t>& out, const JournalHeader& header);
void appendEditFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, const DocumentEdit& edit);
// The interval being timed, cut off at the time of writing; an AppendInterval
// of the same type and start read later says that it ended.
void appendRunningIntervalFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, const AppendInterval& cutOff);

// Reads a journal entry by entry, holding one entry at a time however long the
// journal is. It stops at the first frame that is cut short or does not match
// its CRC, so a journal cut by a crash gives every entry written completely.
class JournalReader {
public:
    // Fills data with up to size bytes; 0 at the end.
    using ReadFn = std::function<std::size_t(std::uint8_t* data, std::size_t size)>;

    explicit JournalReader(ReadFn read);
    // The journal at path, opened without blocking; none when there is no
    // regular file there (a pipe or a device is no journal) or it cannot be read.
    static std::optional<JournalReader> openFile(const std::string& path);
    static JournalReader fromMemory(const std::uint8_t* data, std::size_t size);

    bool hasHeader() const { return m_hasHeader; }
    const JournalHeader& header() const { return m_header; }
    // The next complete entry; none at the end or at the first damage.
    std::optional<JournalEntry> next();
    // Bytes after the last complete entry were thrown away (known once next() gave none).
    bool isDamaged() const { return m_damaged; }
    // The interval that was being timed when the journal ended, cut off at its
    // last sign of life (known once next() gave none).
    const std::optional<AppendInterval>& interruptedInterval() const { return m_interrupted; }
    // How many bytes from the start hold the magic, the header and the entries read so far.
    std::uint64_t completeLength() const { return m_complete; }

private:
    bool fill(std::size_t needed);
    // The next frame's payload, checked against its length and CRC.
    bool nextPayload(std::vector<std::uint8_t>& payload);

    ReadFn m_read;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
    bool m_hasHeader = false;
    bool m_damaged = false;
    bool m_stopped = false;
    std::uint64_t m_complete = 0;
    JournalHeader m_header;
    std::vector<std::uint8_t> m_payload;
    std::optional<AppendInterval> m_interrupted;
};

// What a journal holds, for the question whether to restore it.
struct JournalSummary {
    bool isEmpty() const { return !hasHeader || (entries == 0 && !interrupted); }

    bool hasHeader = false;
    JournalHeader header;
    int entries = 0;
    int appendedIntervals = 0;
    std::int64_t lastIntervalWrittenAt = 0; // 0 when there is none
    std::int64_t lastWrittenAt = 0;
    std::optional<IntervalRecord> interrupted; // an interval that was being timed, cut off
    bool damaged = false;
};
// Reads the journal at path once to its end or first damage.
JournalSummary summarizeJournal(const std::string& path);

struct JournalReplay {
    int applied = 0; // entries
    // The interval that was being timed, appended as the journal's last edit.
    std::optional<AppendInterval> interrupted;
};
// Applies the reader's entries to the document, and last the interval that was
// being timed when the journal ended. When the document's file changed since
// the journal began, a recovered interval whose measurement number the file
// gives to another sitting moves, with the rest of its sitting, to a new
// number after the highest.
JournalReplay replayJournal(TrainingDocument& doc, JournalReader& reader, bool fileChanged);
