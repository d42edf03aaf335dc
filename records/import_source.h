#pragma once

#include "records/interval_record.h"

#include <string>
#include <vector>

// A training type of a file that intervals are imported from.
struct ImportedTrainingType {
    std::string name; // as the file holds it: bytes of a document, UTF-8 of an export
    std::vector<IntervalRecord> records;
};

// The training types of a file to import from, in the file's order.
using ImportedTypes = std::vector<ImportedTrainingType>;
// A file may name no more training types than a document holds.
inline constexpr std::size_t kImportedTypeLimit = 3;

// Reads the intervals of another document, or of a CSV or JSON file in the
// forms the exports write, told apart by their contents; an empty file holds
// none. Throws DocumentError: a file that cannot be read as when opening a
// document, a file of another form as a document without its magic, and an
// export that breaks its form, or any interval without a calendar date or
// ending before it starts, as defective.
ImportedTypes readImportSource(const std::string& path);
