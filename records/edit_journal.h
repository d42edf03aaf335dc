#pragma once

#include "records/document_edit.h"

// Keeps every edit that marks the document modified, before the document
// goes on, so that unsaved changes outlive a crash.
class EditJournal {
public:
    virtual ~EditJournal() = default;
    virtual void record(const DocumentEdit& edit) = 0;
    // The interval being timed, as it would be stored if it were cut off now,
    // at its last sign of life: told when it starts and then again and again
    // while it runs, until its own AppendInterval ends it.
    virtual void keepRunningInterval(const AppendInterval& /*cutOff*/) { }
    // The edits between these two calls are one step of the user's: after a
    // crash they are recovered all or none.
    virtual void beginStep() { }
    virtual void endStep() { }
};
