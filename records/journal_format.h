#pragma once

#include "records/document_edit.h"
#include "records/file_identity.h"
#include "records/interval_record.h"

#include <cstdint>
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

// What a journal file holds up to its first damage.
class JournalContents {
public:
    bool hasHeader() const { return m_hasHeader; }
    int appendedIntervalCount() const;
    // When the last appended interval was written; 0 when there is none.
    std::int64_t lastIntervalWrittenAt() const;

    bool m_hasHeader = false;
    JournalHeader m_header;
    std::vector<JournalEntry> m_entries;
    bool m_damaged = false; // bytes after the last complete entry were thrown away
};

void appendJournalMagic(std::vector<std::uint8_t>& out);
void appendHeaderFrame(std::vector<std::uint8_t>& out, const JournalHeader& header);
void appendEditFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, const DocumentEdit& edit);

JournalContents parseJournal(const std::uint8_t* data, std::size_t size);
// The journal at path; empty contents when there is none or it cannot be read.
JournalContents readJournal(const std::string& path);

// Applies the entries' edits to the document.
void replayJournal(TrainingDocument& doc, const std::vector<JournalEntry>& entries);
