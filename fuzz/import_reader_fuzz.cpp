// Feeds arbitrary bytes to the readers of files to import intervals from (a
// document, a CSV or a JSON export) and merges whatever reads into a document
// that holds sittings of its own. The merge adds exactly what it reports, a
// second merge of the same file adds nothing, measurement numbers never go
// down along a list, and the program's own exports of the result read back
// whole.
#include "records/document_error.h"
#include "records/document_export.h"
#include "records/import_source.h"
#include "records/interval_merge.h"
#include "records/training_document.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <string>

namespace {

void require(bool holds)
{
    if (!holds)
        std::abort();
}

// The bytes as a file of their own, read through the path an import is given.
std::optional<ImportedTypes> readAsFile(const std::uint8_t* data, std::size_t size)
{
    const int fd = ::memfd_create("import", MFD_CLOEXEC);
    require(fd >= 0);
    for (std::size_t written = 0; written < size;) {
        const ssize_t count = ::write(fd, data + written, size - written);
        require(count > 0);
        written += static_cast<std::size_t>(count);
    }
    std::optional<ImportedTypes> types;
    try {
        types = readImportSource("/proc/self/fd/" + std::to_string(fd));
    } catch (const DocumentError&) {
    } catch (const std::bad_alloc&) {
    }
    ::close(fd);
    return types;
}

int recordCount(const TrainingDocument& doc)
{
    int count = 0;
    for (const TrainingType& type : doc.trainingTypes())
        count += type.m_records.size();
    return count;
}

// Merges the source and checks what the merge says against what it did.
int merge(TrainingDocument& doc, const ImportedTypes& source)
{
    const IntervalMerge merge(doc, source);
    const int before = recordCount(doc);
    for (const InsertRecords& edit : merge.edits())
        doc.apply(edit);
    require(recordCount(doc) - before == merge.addedCount());
    require(!merge.numbersExhausted() || merge.addedCount() == 0);
    for (const TrainingType& type : doc.trainingTypes())
        for (int i = 1; i < type.m_records.size(); ++i)
            require(type.m_records[i - 1].m_measurement <= type.m_records[i].m_measurement);
    return merge.addedCount();
}

void readsBackWhole(const TrainingDocument& doc, void (*write)(const TrainingDocument&, std::ostream&))
{
    std::ostringstream out;
    write(doc, out);
    const std::string text = out.str();
    const std::optional<ImportedTypes> back =
        readAsFile(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    require(back.has_value());
    TrainingDocument copy;
    copy.onNewDocument();
    require(merge(copy, *back) == recordCount(doc));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<ImportedTypes> source = readAsFile(data, size);
    if (!source)
        return 0;
    TrainingDocument doc;
    doc.onNewDocument();
    doc.apply(InsertRecords{0, {{0, {1700000000, 1700000300, 0, 1, 1}}, {1, {1700000900, 1700001207, 1, 3, 1}}}});
    doc.apply(AppendInterval{1, {1700000000, 1700000060, 0, 2, 1}});
    merge(doc, *source);
    require(merge(doc, *source) == 0);
    readsBackWhole(doc, exportCsv);
    readsBackWhole(doc, exportJson);
    return 0;
}
