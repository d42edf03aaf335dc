#pragma once

#include "records/document_edit.h"
#include "records/journal_format.h"

#include <cstdint>
#include <optional>
#include <string>

class TrainingDocument;

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
    bool stepLeftOut = false;         // a step the crash cut short
    std::uint64_t completeLength = 0; // the bytes of whole steps, to replay and go on after
};
// Reads the journal at path to its end or first damage, counting whole steps only.
JournalSummary summarizeJournal(const std::string& path);

struct JournalReplay {
    int applied = 0; // entries
    // The interval that was being timed, appended as the journal's last edit.
    std::optional<AppendInterval> interrupted;
};
// Applies the reader's entries to the document, and last the interval that was
// being timed when the journal ended. When the document's file changed since
// the journal began, a sitting the journal brought (recorded, typed in or
// imported) whose measurement number the file gives to another sitting moves
// to a new number after the highest, behind the records there; removals and
// records put back follow the records they name wherever they went.
JournalReplay replayJournal(TrainingDocument& doc, JournalReader& reader, bool fileChanged);
