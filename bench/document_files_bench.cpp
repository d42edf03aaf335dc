// Saving and exporting big documents, each against what the same bytes cost
// without the program's encoding:
// - saving against writing, syncing and renaming the saved bytes (goal: at most 1.5x);
// - the CSV and JSON exports, loading included, against the load of the same
//   file (goal: at most 3x).
#include "bench/big_document.h"
#include "bench/side_by_side.h"
#include "records/document_export.h"
#include "records/document_file.h"
#include "tests/support/test_bytes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

// One saved document per size, made once for all benchmarks.
struct SavedDocument {
    explicit SavedDocument(int records)
    {
        bench::fillBigDocument(document, records);
        path = folder.file("document.con");
        saveDocumentFile(document, path);
    }
    TempDir folder;
    TrainingDocument document;
    std::string path;
};

SavedDocument& savedDocument(int records)
{
    static std::map<int, std::unique_ptr<SavedDocument>> documents;
    std::unique_ptr<SavedDocument>& document = documents[records];
    if (!document)
        document = std::make_unique<SavedDocument>(records);
    return *document;
}

std::vector<char> readWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The plain way to put bytes on disk safely: a temporary file written in
// large blocks, synced, renamed over the target.
void writeSyncRename(const std::vector<char>& bytes, const std::string& path)
{
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            break;
        done += static_cast<std::size_t>(written);
    }
    ::fsync(fd);
    ::close(fd);
    std::rename(temporary.c_str(), path.c_str());
}

void BM_Save(benchmark::State& state)
{
    SavedDocument& saved = savedDocument(static_cast<int>(state.range(0)));
    const std::vector<char> bytes = readWholeFile(saved.path);
    const std::string target = saved.folder.file("saved.con");
    const std::string plainTarget = saved.folder.file("plain.con");
    bench::timeSideBySide(
        state, [&] { saveDocumentFile(saved.document, target); }, [&] { writeSyncRename(bytes, plainTarget); });
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}

// The export command's work: load the file, write the export.
void exportFile(const std::string& path, const std::string& target,
                void (*write)(const TrainingDocument&, std::ostream&))
{
    TrainingDocument document;
    document.onNewDocument();
    openDocumentFile(document, path);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    write(document, out);
}

// The program's time is that of an export to /dev/null, as from
// `--export-csv FILE > /dev/null`, held against the load alone. An export
// into a file is given beside a load and a plain buffered write of as many
// bytes into the same file.
void timeExport(benchmark::State& state, void (*write)(const TrainingDocument&, std::ostream&))
{
    SavedDocument& saved = savedDocument(static_cast<int>(state.range(0)));
    const std::string target = saved.folder.file("export.txt");
    exportFile(saved.path, target, write);
    const std::vector<char> exported = readWholeFile(target);
    const auto load = [&] {
        TrainingDocument document;
        document.onNewDocument();
        openDocumentFile(document, saved.path);
        benchmark::DoNotOptimize(document.trainingTypes()[0].m_records.size());
    };
    bench::timeSideBySide(
        state, [&] { exportFile(saved.path, "/dev/null", write); }, load);
    std::vector<double> intoFile;
    std::vector<double> plainWrite;
    for (int i = 0; i < 3; ++i) {
        intoFile.push_back(bench::secondsOf([&] { exportFile(saved.path, target, write); }));
        plainWrite.push_back(bench::secondsOf([&] {
            load();
            std::FILE* file = std::fopen(target.c_str(), "wb");
            for (std::size_t done = 0; done < exported.size(); done += 1 << 16)
                std::fwrite(exported.data() + done, 1, std::min<std::size_t>(1 << 16, exported.size() - done), file);
            std::fclose(file);
        }));
    }
    state.counters["into_file_ms"] = bench::median(intoFile) * 1e3;
    state.counters["load_and_plain_write_ms"] = bench::median(plainWrite) * 1e3;
    state.counters["into_file_ratio"] = bench::median(intoFile) / bench::median(plainWrite);
    state.counters["MB"] = static_cast<double>(exported.size()) / 1e6;
}

void BM_ExportCsv(benchmark::State& state)
{
    timeExport(state, exportCsv);
}

void BM_ExportJson(benchmark::State& state)
{
    timeExport(state, exportJson);
}

} // namespace

BENCHMARK(BM_Save)->Apply(bench::bigDocumentSizes);
BENCHMARK(BM_ExportCsv)->Apply(bench::bigDocumentSizes);
BENCHMARK(BM_ExportJson)->Apply(bench::bigDocumentSizes);

BENCHMARK_MAIN();
