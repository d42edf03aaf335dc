#include "app/interval_import.h"

#include "editing/document_editor.h"
#include "records/document_export.h"
#include "records/edit_journal.h"
#include "records/training_document.h"
#include "tests/app/test_doubles.h"
#include "tests/support/record_builder.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

constexpr CalendarTime kStart = 1'780'000'000;

class KeptEdits : public EditJournal {
public:
    void record(const DocumentEdit& edit) override { edits.push_back(edit); }
    std::vector<DocumentEdit> edits;
};

// Two sittings in the first training type, one in the second; `shift` moves the second sitting.
void fill(TrainingDocument& doc, TimeSpan shift)
{
    doc.onNewDocument();
    doc.apply(AppendInterval{0, record().measurement(1).run(1).from(kStart).lasting(600)});
    doc.apply(AppendInterval{0, record().measurement(2).run(1).from(kStart + 3600 + shift).lasting(900)});
    doc.apply(AppendInterval{1, record().measurement(1).run(1).from(kStart + shift).lasting(300).uddhacca()});
}

std::vector<std::vector<IntervalRecord>> recordsOf(const TrainingDocument& doc)
{
    std::vector<std::vector<IntervalRecord>> records;
    for (const TrainingType& type : doc.trainingTypes())
        records.emplace_back(type.m_records.begin(), type.m_records.end());
    return records;
}

} // namespace

TEST(IntervalImport, AnImportIsOneStepToUndoAndTheJournalReplaysIt)
{
    QTemporaryDir dir;
    TrainingDocument desktop;
    fill(desktop, 7200);
    const QString exported = dir.filePath("desktop.json");
    {
        std::ofstream file(QFile::encodeName(exported).toStdString(), std::ios::binary);
        exportJson(desktop, file);
    }

    TrainingDocument laptop;
    fill(laptop, 0);
    const auto before = recordsOf(laptop);
    KeptEdits journal;
    laptop.setJournal(&journal);
    DocumentEditor editor(laptop);
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs dialogs;
    dialogs.m_choices = {exported};

    EXPECT_TRUE(importIntervalsInto(editor, nullptr));
    EXPECT_EQ(dialogs.m_titles, QStringList{"Intervalle importieren"});
    EXPECT_EQ(boxes.m_messages, QStringList{"Intervals imported from desktop.json:\n\n"
                                            "Apana Jhavari (Samatha Bhavana): 1 added, 1 skipped, 1 sitting "
                                            "renumbered\n"
                                            "Kanika Jhavari (Vipassana Bhavana): 1 added, 0 skipped, 1 sitting "
                                            "renumbered\n"
                                            "Apana Jhavari (Metta Bhavana): 0 added, 0 skipped"});
    const auto after = recordsOf(laptop);
    EXPECT_EQ(after[0].size(), 3u);
    EXPECT_EQ(after[1].size(), 2u);
    ASSERT_EQ(editor.undoStack().count(), 1);
    EXPECT_EQ(editor.undoStack().undoText(), "import intervals");

    // The journal holds what was applied: replayed on the document as it was, it gives the same.
    TrainingDocument replayed;
    fill(replayed, 0);
    for (const DocumentEdit& edit : journal.edits)
        replayed.apply(edit);
    EXPECT_EQ(recordsOf(replayed), after);

    editor.undoStack().undo();
    EXPECT_EQ(recordsOf(laptop), before);
    editor.undoStack().redo();
    EXPECT_EQ(recordsOf(laptop), after);
    laptop.setJournal(nullptr);
}
