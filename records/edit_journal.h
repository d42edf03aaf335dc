#pragma once

#include "records/document_edit.h"

// Keeps every edit that marks the document modified, before the document
// goes on, so that unsaved changes outlive a crash.
class EditJournal {
public:
    virtual ~EditJournal() = default;
    virtual void record(const DocumentEdit& edit) = 0;
};
