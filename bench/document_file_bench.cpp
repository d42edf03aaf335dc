// Saves and loads a document with 1,000,000 interval records and compares the
// load with a plain read of the same file. Prints MB/s; the median of 5 runs.
// Also prints the heap the loaded records take, in bytes per record.
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <malloc.h>
#include <vector>

namespace {

double medianSeconds(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[2];
}

// The plain read the load is measured against: the whole file into one buffer.
std::size_t readWholeFile(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    std::vector<char> bytes(std::filesystem::file_size(path));
    const std::size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return count;
}

// Bytes in use on the heap, large blocks mapped on their own included.
std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

} // namespace

int main()
{
    constexpr int kRecords = 1000000;
    TrainingDocument doc;
    doc.onNewDocument();
    const TrainingType& type = doc.trainingTypes()[0];
    for (int i = 0; i < kRecords; ++i) {
        IntervalRecord e;
        e.m_timeStart = 1700000000 + i * 120LL;
        e.m_timeEnd = e.m_timeStart + 30 + i % 90;
        e.m_uddhacca = i % 7 == 0;
        e.m_measurement = static_cast<std::uint16_t>(1 + i / 16);
        e.m_run = static_cast<std::uint16_t>(1 + i % 16);
        append(doc, type, e);
    }

    const auto folder = std::filesystem::temp_directory_path() / "jhavari-bench";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "million.con").string();

    const double save = medianSeconds([&] { saveDocumentFile(doc, path); });
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::size_t rawBytes = 0;
    const double raw = medianSeconds([&] { rawBytes = readWholeFile(path); });
    TrainingDocument loaded;
    loaded.onNewDocument();
    const double load = medianSeconds([&] { openDocumentFile(loaded, path); });
    TrainingDocument measured;
    measured.onNewDocument();
    const std::size_t heapBefore = heapInUse();
    openDocumentFile(measured, path);
    const std::size_t heapAfter = heapInUse();
    if (loaded.trainingTypes()[0].m_records.size() != kRecords ||
        measured.trainingTypes()[0].m_records.size() != kRecords || rawBytes == 0) {
        std::fprintf(stderr, "the document did not come back whole\n");
        return 1;
    }

    std::printf("file: %.1f MB, %d records\n", megabytes, kRecords);
    std::printf("save (atomic, synced): %8.1f ms  %8.1f MB/s\n", save * 1e3, megabytes / save);
    std::printf("raw read:              %8.1f ms  %8.1f MB/s\n", raw * 1e3, megabytes / raw);
    std::printf("load:                  %8.1f ms  %8.1f MB/s\n", load * 1e3, megabytes / load);
    std::printf("load / raw read:       %8.2fx (goal: at most 3x)\n", load / raw);
    std::printf("heap of the loaded records: %.1f bytes per record\n",
                static_cast<double>(heapAfter - heapBefore) / kRecords);
    std::filesystem::remove_all(folder);
    return 0;
}
