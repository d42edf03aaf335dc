#pragma once

#include "evaluation/interval_statistics.h"

#include <optional>

class TrainingDocument;
class TrainingType;

// The statistics of the document's current training type under its filter
// time, made once for all open diagram windows. Appended intervals are taken
// in as they come; after any other change of the records forget() makes the
// next use compute them anew. Another training type or filter time is seen
// by itself.
class DiagramStatistics {
public:
    explicit DiagramStatistics(const TrainingDocument& document);

    const IntervalStatistics& current();
    // Records first .. first + count - 1 of the training type were appended.
    void recordsAppended(int type, int first, int count);
    void forget();

private:
    const TrainingDocument& m_document;
    std::optional<IntervalStatistics> m_statistics;
    // What the statistics were made from.
    const TrainingType* m_type = nullptr;
    CalendarTime m_filter = 0;
    int m_recordCount = 0;
};
