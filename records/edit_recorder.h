#pragma once

#include "records/calendar_time.h"

#include <unordered_set>

class DocumentSettings;
class IntervalRecord;

// Told of every edit of the document's data before the document goes on,
// so that unsaved changes can outlive a crash. Training types are named by
// their place in the document.
class EditRecorder {
public:
    virtual ~EditRecorder() = default;
    virtual void intervalAppended(int typeIndex, const IntervalRecord& record) = 0;
    virtual void intervalsRemoved(int typeIndex, const std::unordered_set<CalendarTime>& starts) = 0;
    virtual void settingsChanged(const DocumentSettings& settings) = 0;
};
