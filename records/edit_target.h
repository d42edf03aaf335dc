#pragma once

#include "records/document_edit.h"

#include <string>

// Where a part of the program sends its edits: the undo history in front of
// the document in the program, the document itself elsewhere.
class EditTarget {
public:
    virtual ~EditTarget() = default;
    // Applies the edit as one step that the user can undo, named for the
    // undo command ("record interval").
    virtual void applyStep(const DocumentEdit& edit, const std::string& name) = 0;
};
