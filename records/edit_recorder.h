#pragma once

#include "records/calendar_time.h"

#include <unordered_set>
#include <vector>

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
    // The records at these positions (ascending, each once) were removed.
    virtual void recordsRemoved(int typeIndex, const std::vector<int>& positions) = 0;
    virtual void settingsChanged(const DocumentSettings& settings) = 0;
};
