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
// Where one step of the user's (an import, a deletion, their undo) begins or
// ends: its edits are read all or none.
void appendStepFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, bool begins);

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
    // How many bytes from the start hold the magic, the header and the entries
    // read so far, up to the beginning of a step not yet ended.
    std::uint64_t completeLength() const { return m_stepStart.value_or(m_complete); }
    // The journal ended inside a step (known once next() gave none): its
    // entries read so far are no whole step.
    bool isStepUnfinished() const { return m_stepStart.has_value(); }
    // Reads no entry past length bytes from the start: the step of a second
    // reading that the first found unfinished is left out.
    void stopAt(std::uint64_t length) { m_limit = length; }

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
    std::optional<std::uint64_t> m_stepStart;
    std::optional<std::uint64_t> m_limit;
    JournalHeader m_header;
    std::vector<std::uint8_t> m_payload;
    std::optional<AppendInterval> m_interrupted;
};
