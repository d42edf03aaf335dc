#pragma once

#include "records/document_settings.h"
#include "records/interval_record.h"

#include <variant>
#include <vector>

// Every change of the document's data is one of these values. The document
// applies it in one place, the journal of unsaved changes stores it, and the
// undo history keeps it with the edit that takes it back. Training types are
// named by their place in the document (0 to 2).

// One interval appended to a training type.
struct AppendInterval {
    int type = 0;
    IntervalRecord record;
};

// Records removed by their identity: each is taken from its position when it
// stands there, else the first equal record goes; one not found is left out.
// Positions ascending, as they stood before.
struct RemoveRecords {
    int type = 0;
    std::vector<PlacedRecord> records;
};

// Records put back at positions (ascending, as they stand afterwards): the
// undo of a removal.
struct InsertRecords {
    int type = 0;
    std::vector<PlacedRecord> records;
};

// All settings at once.
struct ReplaceSettings {
    DocumentSettings settings;
};

// The time sound is a habit, not part of the record: switching it neither
// marks the document modified nor reaches the journal.
struct SetTimeSound {
    bool on = false;
};

using DocumentEdit = std::variant<AppendInterval, RemoveRecords, InsertRecords, ReplaceSettings, SetTimeSound>;

// The settings with one change made, as an edit: `change` gets a copy to change.
template <typename Change>
ReplaceSettings changedSettings(const DocumentSettings& settings, Change&& change)
{
    ReplaceSettings edit{settings};
    change(edit.settings);
    return edit;
}
