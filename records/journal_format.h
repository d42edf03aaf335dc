#pragma once

#include "records/document_settings.h"
#include "records/file_identity.h"
#include "records/interval_record.h"

#include <cstdint>
#include <iterator>
#include <string>
#include <unordered_set>
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

// One edit as read back from a journal.
class JournalEntry {
public:
    enum class Kind : std::uint8_t { AppendInterval = 1, RemoveIntervals = 2, ReplaceSettings = 3, RemoveRecords = 4 };

    Kind m_kind = Kind::AppendInterval;
    std::int64_t m_writtenAt = 0;
    int m_typeIndex = 0;
    IntervalRecord m_record;            // AppendInterval
    std::vector<CalendarTime> m_starts; // RemoveIntervals
    std::vector<int> m_positions;       // RemoveRecords
    DocumentSettings m_settings;        // ReplaceSettings
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
void appendIntervalFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, int typeIndex,
                         const IntervalRecord& record);
void appendRemovalFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, int typeIndex,
                        const std::unordered_set<CalendarTime>& starts);
void appendRecordRemovalFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, int typeIndex,
                              const std::vector<int>& positions);
void appendSettingsFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, const DocumentSettings& settings);
void appendEntryFrame(std::vector<std::uint8_t>& out, const JournalEntry& entry);

JournalContents parseJournal(const std::uint8_t* data, std::size_t size);
// The journal at path; empty contents when there is none or it cannot be read.
JournalContents readJournal(const std::string& path);

// Makes the entries' edits through the document's own operations.
void replayJournal(TrainingDocument& doc, const std::vector<JournalEntry>& entries);
