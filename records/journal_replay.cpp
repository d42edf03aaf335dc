#include "records/journal_replay.h"

#include "records/recovered_sittings.h"
#include "records/training_document.h"

#include <limits>
#include <variant>

namespace {

void follow(RecoveredSittings& sittings, AppendInterval& appended)
{
    sittings.bringIn(appended.type, appended.record);
}

void follow(RecoveredSittings& sittings, RemoveRecords& removal)
{
    for (PlacedRecord& placed : removal.records)
        sittings.remove(removal.type, placed.record);
}

void follow(RecoveredSittings& sittings, InsertRecords& insertion)
{
    // A sitting that moved goes behind the records there, so that the numbers still rise along the list.
    for (PlacedRecord& placed : insertion.records)
        if (sittings.putBack(insertion.type, placed.record))
            placed.position = std::numeric_limits<int>::max();
}

void follow(RecoveredSittings&, ReplaceSettings&)
{
}
void follow(RecoveredSittings&, SetTimeSound&)
{
}

} // namespace

JournalSummary summarizeJournal(const std::string& path)
{
    JournalSummary summary;
    // The first reading finds where the whole steps end, the second counts them.
    std::optional<JournalReader> whole = JournalReader::openFile(path);
    if (!whole)
        return summary;
    while (whole->next()) { }
    std::optional<JournalReader> reader = JournalReader::openFile(path);
    if (!reader)
        return summary;
    reader->stopAt(whole->completeLength());
    summary.hasHeader = reader->hasHeader();
    summary.header = reader->header();
    while (const std::optional<JournalEntry> entry = reader->next()) {
        ++summary.entries;
        summary.lastWrittenAt = entry->m_writtenAt;
        if (std::holds_alternative<AppendInterval>(entry->m_edit)) {
            ++summary.appendedIntervals;
            summary.lastIntervalWrittenAt = entry->m_writtenAt;
        }
    }
    if (const std::optional<AppendInterval>& interrupted = reader->interruptedInterval())
        summary.interrupted = interrupted->record;
    summary.damaged = whole->isDamaged();
    summary.stepLeftOut = whole->isStepUnfinished();
    summary.completeLength = reader->completeLength();
    return summary;
}

JournalReplay replayJournal(TrainingDocument& doc, JournalReader& reader, bool fileChanged)
{
    RecoveredSittings sittings(doc, fileChanged);
    JournalReplay replay;
    while (std::optional<JournalEntry> entry = reader.next()) {
        std::visit([&sittings](auto& change) { follow(sittings, change); }, entry->m_edit);
        doc.apply(entry->m_edit);
        ++replay.applied;
    }
    if ((replay.interrupted = reader.interruptedInterval())) {
        sittings.bringIn(replay.interrupted->type, replay.interrupted->record);
        doc.apply(*replay.interrupted);
    }
    return replay;
}
