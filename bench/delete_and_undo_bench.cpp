// Deleting every interval of a training type and taking it back, as the user
// does in the list: Ctrl+A, Delete, the question answered Yes, Ctrl+Z. Each
// part beside loading the same document from its file, in the same run
// (goals: the question within 100 ms at a million records; the deletion and
// its undo each at most 2x the load; an undo step holding no more memory
// than the records it deletes).
#include "bench/big_document.h"
#include "bench/side_by_side.h"
#include "editing/document_editor.h"
#include "platform/message_box.h"
#include "practice/interval_list_view.h"
#include "practice/main_form.h"
#include "records/document_file.h"
#include "sound/alsa_sound_player.h"
#include "tests/support/test_bytes.h"

#include <QApplication>
#include <QTest>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>

namespace {

// Answers the question at once and notes when it came.
class TimedAnswer : public MessageBox {
public:
    void showMessage(QWidget*, const QString&) override { }
    Answer askYesNo(QWidget*, const QString&) override
    {
        asked = std::chrono::steady_clock::now();
        return answer;
    }
    Answer askYesNoCancel(QWidget*, const QString&) override { return Answer::Cancel; }

    Answer answer = Answer::No;
    std::chrono::steady_clock::time_point asked;
};

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The shown main form over a document of `records` intervals, saved to a file for the reference.
struct DeletionBench {
    explicit DeletionBench(int records) : form(editor, createAlsaSoundPlayer())
    {
        bench::fillBigDocument(document, records);
        count = document.trainingTypes()[0].m_records.size();
        saveDocumentFile(document, file);
        form.resize(form.sizeHint());
        form.show();
        form.showSettings();
        QCoreApplication::processEvents();
        setMessageBoxes(&boxes);
    }
    ~DeletionBench() { setMessageBoxes(nullptr); }

    IntervalListView* list() { return form.findChild<IntervalListView*>(QStringLiteral("1023")); }
    bool allThere() const { return document.trainingTypes()[0].m_records.size() == count; }
    // Ctrl+A and Delete on the list; the seconds until the question.
    double pressDelete(MessageBox::Answer answer)
    {
        QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
        boxes.answer = answer;
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(list(), Qt::Key_Delete);
        return std::chrono::duration<double>(boxes.asked - start).count();
    }
    void loadReference()
    {
        TrainingDocument loaded;
        openDocumentFile(loaded, file);
    }

    TempDir folder;
    const std::string file = folder.file("big.con");
    TrainingDocument document;
    int count = 0;
    DocumentEditor editor{document};
    MainForm form;
    TimedAnswer boxes;
};

void BM_QuestionAfterDeleteOfAll(benchmark::State& state)
{
    DeletionBench bench(static_cast<int>(state.range(0)));
    bench::timeSideBySide(
        state, [&] { return bench.pressDelete(MessageBox::Answer::No); }, [&] { bench.loadReference(); });
}

void BM_DeleteOfAll(benchmark::State& state)
{
    DeletionBench bench(static_cast<int>(state.range(0)));
    std::size_t heldByTheStep = 0;
    bench::timeSideBySide(
        state,
        [&] {
            const std::size_t before = heapInUse();
            const auto start = std::chrono::steady_clock::now();
            const double question = bench.pressDelete(MessageBox::Answer::Yes);
            QCoreApplication::processEvents(); // the emptied list repaints
            heldByTheStep = heapInUse() - std::min(heapInUse(), before);
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() - question;
        },
        [&] { bench.loadReference(); },
        [&] {
            if (!bench.allThere()) {
                bench.editor.undoStack().undo();
                bench.editor.undoStack().clear();
            }
        });
    state.counters["step_bytes_per_record_bytes"] =
        static_cast<double>(heldByTheStep) / (static_cast<double>(bench.count) * sizeof(IntervalRecord));
}

void BM_UndoOfDeleteOfAll(benchmark::State& state)
{
    DeletionBench bench(static_cast<int>(state.range(0)));
    bench::timeSideBySide(
        state,
        [&] {
            bench.editor.undoStack().undo();
            QCoreApplication::processEvents();
        },
        [&] { bench.loadReference(); },
        [&] {
            if (bench.allThere()) {
                bench.editor.undoStack().clear();
                bench.pressDelete(MessageBox::Answer::Yes);
            }
        });
}

void sizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Arg(100'000)->Arg(1'000'000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
}
BENCHMARK(BM_QuestionAfterDeleteOfAll)->Apply(sizes);
BENCHMARK(BM_DeleteOfAll)->Apply(sizes);
BENCHMARK(BM_UndoOfDeleteOfAll)->Apply(sizes);

} // namespace
