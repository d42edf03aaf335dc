// Feeds arbitrary bytes to the reader of the journal of unsaved changes and
// replays what it reads onto a document that already holds records, once as
// onto its own file and once as onto a changed one, then exports the result.
#include "records/document_export.h"
#include "records/journal_format.h"
#include "records/journal_replay.h"
#include "records/training_document.h"

#include <cstdint>
#include <new>
#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const bool fileChanged : {false, true}) {
        TrainingDocument doc;
        doc.onNewDocument();
        doc.selectTrainingType(TrainingDocument::kDefaultTrainingTypeNames[0]);
        for (std::uint16_t run = 1; run <= 3; ++run)
            doc.apply(AppendInterval{0, IntervalRecord{1000 * run, 1000 * run + 90, 0, 3, run}});
        JournalReader reader = JournalReader::fromMemory(data, size);
        try {
            replayJournal(doc, reader, fileChanged);
        } catch (const std::bad_alloc&) {
            return 0;
        }
        std::ostringstream out;
        exportJson(doc, out);
        exportCsv(doc, out);
    }
    return 0;
}
