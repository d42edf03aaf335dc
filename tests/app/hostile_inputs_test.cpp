// Every document and journal of the fuzz corpora, and a document with every
// time and number at its limits, shown by the real windows: the list, the
// four diagrams, the practice summary, the printout and the exports. Built
// with AddressSanitizer and UndefinedBehaviorSanitizer, a fault stops it.
#include "chart_component/ntgraph_class.h"
#include "editing/document_editor.h"
#include "evaluation/diagram_print_job.h"
#include "evaluation/diagram_window.h"
#include "evaluation/diagram_windows.h"
#include "evaluation/practice_summary_window.h"
#include "platform/component_registry.h"
#include "practice/main_form.h"
#include "records/document_error.h"
#include "records/document_export.h"
#include "records/document_file.h"
#include "records/journal_format.h"
#include "records/journal_replay.h"
#include "tests/app/test_doubles.h"
#include "tests/practice/main_form_fixture.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <sstream>

namespace {

// Shows the document in every window, for each training type in turn.
void showEverywhere(TrainingDocument& doc, const QString& pdfFolder)
{
    DocumentEditor editor(doc);
    TestClock clock;
    TestKeyState keys;
    MainForm form(editor, std::make_shared<RecordingSoundPlayer>(), volumesWithoutMixer(), clock, &keys);
    form.initialUpdate();
    doc.announceReset(DocumentReset::Loaded);
    form.resize(form.sizeHint());
    form.show();
    form.grab();
    DiagramPrintJob printout;
    for (const TrainingType& type : doc.trainingTypes()) {
        doc.selectTrainingType(type.m_name);
        form.fillIntervalList();
        form.grab();
        for (DiagramKind kind : kDiagramKinds) {
            form.diagrams().openDiagram(kind, &form);
            form.diagrams().window(kind)->grab();
        }
        form.diagrams().openSummary();
        form.diagrams().summaryWindow()->grab();
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFolder + QStringLiteral("/pages.pdf"));
        printout.print(printer, type, doc.settings(), doc.title());
    }
    form.diagrams().closeDiagrams();
    std::ostringstream exported;
    exportJson(doc, exported);
    exportCsv(doc, exported);
    EXPECT_FALSE(exported.str().empty());
}

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path());
    return files;
}

class HostileInputs : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        ASSERT_TRUE(writeComponentRegistration(kChartControlClassId, "NTGraph Control", JHAVARI_CHART_COMPONENT));
    }

    ScriptedMessageBoxes m_boxes;
    QTemporaryDir m_folder;
};

} // namespace

TEST_F(HostileInputs, DocumentsOfTheFuzzCorpusAndOneAtItsLimits)
{
    constexpr CalendarTime kEarliest = std::numeric_limits<CalendarTime>::min();
    constexpr CalendarTime kLatest = std::numeric_limits<CalendarTime>::max();
    TrainingDocument limits;
    limits.onNewDocument();
    DocumentSettings settings;
    settings.m_waveVolume = std::numeric_limits<std::int32_t>::max();
    settings.m_mainVolume = std::numeric_limits<std::int32_t>::min();
    settings.m_timeFilter = kLatest;
    settings.m_timeFixedDuration = kEarliest;
    limits.apply(ReplaceSettings{settings});
    for (int type = 0; type < TrainingDocument::kTrainingTypeCount; ++type) {
        limits.apply(AppendInterval{type, IntervalRecord{kEarliest, kLatest, -1, 1, 65535}});
        limits.apply(AppendInterval{type, IntervalRecord{kLatest, kEarliest, 7, 65535, 0}});
        limits.apply(AppendInterval{type, IntervalRecord{0, 1, 0, 65535, 1}});
    }
    showEverywhere(limits, m_folder.path());

    int shown = 0;
    for (const std::filesystem::path& file : filesIn(FUZZ_FOLDER "/corpus")) {
        TrainingDocument doc;
        doc.onNewDocument();
        try {
            openDocumentFile(doc, file.string());
        } catch (const DocumentError&) {
            continue;
        }
        showEverywhere(doc, m_folder.path());
        ++shown;
    }
    EXPECT_GT(shown, 0) << "some of the corpus loads";
}

TEST_F(HostileInputs, JournalsOfTheFuzzCorpusReplayedOntoRecords)
{
    const auto files = filesIn(FUZZ_FOLDER "/journal_corpus");
    ASSERT_FALSE(files.empty());
    for (const std::filesystem::path& file : files) {
        TrainingDocument doc;
        doc.onNewDocument();
        for (std::uint16_t run = 1; run <= 3; ++run)
            doc.apply(AppendInterval{0, IntervalRecord{1000 * run, 1000 * run + 90, 0, 3, run}});
        std::optional<JournalReader> reader = JournalReader::openFile(file.string());
        ASSERT_TRUE(reader) << file;
        replayJournal(doc, *reader, true);
        showEverywhere(doc, m_folder.path());
    }
}
