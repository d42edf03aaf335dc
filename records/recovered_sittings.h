#pragma once

#include "records/interval_record.h"
#include "records/training_document.h"

#include <array>
#include <cstdint>
#include <map>
#include <tuple>
#include <unordered_set>

// Where the records of a journal go when it is replayed onto a file that
// changed since it began: a sitting the journal brought whose measurement
// number the file gives to another sitting moves to a new number after the
// highest. A record removed and a record put back are named as they stand in
// the document, so that an undo or a redo in the journal takes and gives back
// the very records it took and gave before the crash.
class RecoveredSittings {
public:
    RecoveredSittings(const TrainingDocument& doc, bool fileChanged);

    // A record the journal brings (recorded, typed in, imported); true when its sitting moved.
    bool bringIn(int type, IntervalRecord& record);
    void remove(int type, IntervalRecord& record);
    // A record put back: as it stood when removed, else brought in. True when it moved.
    bool putBack(int type, IntervalRecord& record);

private:
    // A record as the journal names it, but for its measurement number.
    using Identity = std::tuple<CalendarTime, CalendarTime, std::int32_t, std::uint16_t, std::uint16_t>;
    struct Type {
        std::unordered_set<std::uint16_t> taken;      // numbers of the file's sittings and of those placed
        std::map<std::uint16_t, std::uint16_t> moved; // the journal's number of a sitting, and its own now
        std::map<Identity, std::uint16_t> removed;    // the number each removed record stood under
    };
    static Identity identityOf(const IntervalRecord& record);

    const TrainingDocument& m_doc;
    const bool m_fileChanged;
    std::array<Type, TrainingDocument::kTrainingTypeCount> m_types;
};
