#pragma once

#include "records/document_edit.h"
#include "records/import_source.h"

#include <array>
#include <string>
#include <vector>

class TrainingDocument;
class TrainingType;

// What an import brings to one training type of the document.
struct MergeCount {
    int added = 0;
    int skipped = 0;            // present already: the same start, end and uddhacca flag
    int renumberedSittings = 0; // sittings that took new measurement numbers
};

// How the intervals of another file join the document. Each training type of
// the file goes to the document's type of the same name, else to the type at
// its own place. A record already present there (the same start, end and
// uddhacca flag) is skipped. A sitting (the new records of one measurement
// number) that continues the very sitting holding its skipped records keeps
// its number. Any other sitting keeps it while the number is free and no
// sitting before it in the file collided; else it takes, with every later
// sitting of its file, a number after the highest one, in the order of their
// start, their runs unchanged. New records go in after the records of their
// measurement number, so that the numbers still rise along each list;
// nothing present changes.
class IntervalMerge {
public:
    // Each edit becomes one entry of the journal of unsaved changes, whose
    // entries are of bounded size: a larger import is cut into several edits.
    static constexpr std::size_t kRecordsPerEdit = 100'000;

    IntervalMerge(const TrainingDocument& into, const ImportedTypes& source);

    // The edits that carry out the merge, applied in this order: at least one
    // per training type that gains records, none when the numbers are exhausted.
    const std::vector<InsertRecords>& edits() const { return m_edits; }
    // By the document's training types.
    const MergeCount& count(int type) const { return m_counts[static_cast<std::size_t>(type)]; }
    int addedCount() const;
    // New measurement numbers would pass 65535: nothing may be imported.
    bool numbersExhausted() const { return m_numbersExhausted; }

    // One line per training type of the document:
    // "Apana Jhavari (Samatha Bhavana): 12 added, 30 skipped, 2 sittings renumbered".
    std::string countsText() const;

private:
    void mergeInto(int type, const TrainingType& into, const std::vector<const ImportedTrainingType*>& from);

    std::vector<InsertRecords> m_edits;
    std::array<MergeCount, 3> m_counts;
    std::array<std::string, 3> m_typeNames;
    bool m_numbersExhausted = false;
};

// The message for an import whose new measurement numbers would pass 65535.
inline constexpr const char* kMergeNumbersExhaustedMessage =
    "Error: The imported sittings would need measurement numbers higher than 65535, the highest measurement "
    "number. Nothing was imported.";
