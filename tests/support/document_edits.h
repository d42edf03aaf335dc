#pragma once

#include "records/training_document.h"

#include <utility>

// Edits for setting up a document in a test, applied as the program applies them.

inline void append(TrainingDocument& doc, const TrainingType& type, const IntervalRecord& record)
{
    doc.apply(AppendInterval{doc.indexOf(type), record});
}

// The settings with one change made; `change` gets a copy to change.
template <typename Change>
void changeSettings(TrainingDocument& doc, Change&& change)
{
    doc.apply(changedSettings(doc.settings(), std::forward<Change>(change)));
}
