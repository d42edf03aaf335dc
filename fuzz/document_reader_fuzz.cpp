// Feeds arbitrary bytes to the document reader, once from memory and once
// pulled in small uneven pieces as from a file, and exports and sums up
// whatever loads.
// Both ways must load the same document.
#include "evaluation/practice_summary.h"
#include "evaluation/statistics_csv.h"
#include "records/archive.h"
#include "records/document_error.h"
#include "records/document_export.h"
#include "records/training_document.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <sstream>
#include <string>

namespace {

// The whole export of a loaded document, or nothing when the load failed.
std::optional<std::string> loadAndExport(Archive& ar)
{
    TrainingDocument doc;
    doc.onNewDocument();
    try {
        doc.serialize(ar);
    } catch (const DocumentError&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    std::ostringstream out;
    exportJson(doc, out);
    exportCsv(doc, out);
    for (const TrainingType& type : doc.trainingTypes()) {
        writeStatisticsCsv(type, doc.settings(), out);
        out << PracticeSummary(type, 1700000000).days().size();
    }
    return out.str();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Archive fromMemory(data, size);
    const std::optional<std::string> whole = loadAndExport(fromMemory);

    std::size_t offset = 0;
    std::size_t piece = 1;
    Archive fromPieces(
        [&](std::uint8_t* target, std::size_t room) {
            const std::size_t count = std::min({room, size - offset, piece});
            if (count > 0)
                std::memcpy(target, data + offset, count);
            offset += count;
            piece = piece * 7 % 97 + 1;
            return count;
        },
        size);
    if (loadAndExport(fromPieces) != whole)
        std::abort();
    return 0;
}
