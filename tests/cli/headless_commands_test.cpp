#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/stat.h>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

struct Result {
    int status = -1;
    std::string out;
};

// Runs the program with no display at all: these commands must never need one.
Result runProgram(const std::string& arguments, const std::string& redirect = "")
{
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM TZ=UTC '" +
                                std::string(JHAVARI_PROGRAM) + "' " + arguments + " " + redirect;
    Result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> buffer{};
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.out.append(buffer.data(), count);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string makeDocument(const TempDir& dir)
{
    TrainingDocument doc;
    doc.onNewDocument();
    const TrainingType& type = *doc.selectTrainingType("Apana Jhavari (Metta Bhavana)");
    IntervalRecord e;
    e.m_timeStart = 1000000000;
    e.m_timeEnd = 1000000042;
    e.m_measurement = 1;
    e.m_run = 1;
    append(doc, type, e);
    const std::string path = dir.file("doc.con");
    saveDocumentFile(doc, path);
    return path;
}

} // namespace

TEST(HeadlessCommands, ExportsWithoutADisplay)
{
    TempDir dir;
    const std::string path = makeDocument(dir);
    const Bytes before = readBytes(path);

    const Result json = runProgram("--export-json '" + path + "'");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\"settings\":{\"training_type\":\"Apana Jhavari (Metta Bhavana)\"", 0), 0u) << json.out;
    EXPECT_NE(json.out.find("{\"name\":\"Apana Jhavari (Metta Bhavana)\",\"intervals\":[{\"start\":1000000000,"
                            "\"end\":1000000042,\"start_local\":\"2001-09-09 01:46:40\""),
              std::string::npos)
        << json.out;

    const Result csv = runProgram("--export-csv '" + path + "'");
    EXPECT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out, "training_type,measurement,run,start,end,start_epoch,end_epoch,duration_s,uddhacca\n"
                       "Apana Jhavari (Metta Bhavana),1,1,2001-09-09 01:46:40,2001-09-09 01:47:22,"
                       "1000000000,1000000042,42,0\n");
    EXPECT_EQ(readBytes(path), before) << "exporting never writes the file";
}

TEST(HeadlessCommands, UnreadableFilesGiveTheGermanMessageAndStatusOne)
{
    TempDir dir;
    const Result missing = runProgram("--export-json '" + dir.file("gone.con") + "'", "2>&1");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, dir.file("gone.con") + " wurde nicht gefunden.\n");

    const std::string bad = dir.file("bad.con");
    writeBytes(bad, {0x03, 'C', 'O', 'N'});
    const Result defective = runProgram("--export-csv '" + bad + "'", "2>&1");
    EXPECT_EQ(defective.status, 1);
    EXPECT_EQ(defective.out,
              "The file is defective and can not be read.\nUnbekannter Fehler beim Zugriff auf " + bad + ".\n");

    const std::string cut = dir.file("cut.con");
    writeBytes(cut, {0x03, 'c', 'o', 'n', 0x05});
    const Result cutShort = runProgram("--export-json '" + cut + "'", "2>/dev/null");
    EXPECT_EQ(cutShort.status, 1);
    EXPECT_TRUE(cutShort.out.empty()) << "nothing reaches standard output";
}

TEST(HeadlessCommands, FullPathsFifosAndWriteErrorsAreReported)
{
    TempDir dir;
    const std::string relative = fs::relative(dir.file("gone.con")).string();
    const Result missing = runProgram("--export-json '" + relative + "'", "2>&1");
    EXPECT_EQ(missing.out, dir.file("gone.con") + " wurde nicht gefunden.\n");

    const std::string fifo = dir.file("pipe.con");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const Result pipe = runProgram("--export-csv '" + fifo + "'", "2>&1");
    EXPECT_EQ(pipe.status, 1);
    EXPECT_EQ(pipe.out, fifo + " enthält eine falsche Pfadangabe.\n");

    const std::string path = makeDocument(dir);
    const Result full = runProgram("--export-json '" + path + "'", "2>&1 >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.out, "Standard output could not be written: No space left on device.\n");
}

TEST(HeadlessCommands, StatsPrintsOneLinePerMeasurementOfTheChosenType)
{
    TempDir dir;
    TrainingDocument doc;
    doc.onNewDocument();
    changeSettings(doc, [&](DocumentSettings& s) { s.m_timeFilter = makeDuration(0, 0, 0); });
    for (int n = 1; n <= 31; ++n) {
        IntervalRecord e;
        e.m_timeStart = 1000000000 + n * 1000;
        e.m_timeEnd = e.m_timeStart + n * 2;
        e.m_measurement = static_cast<std::uint16_t>(n);
        e.m_run = 1;
        append(doc, doc.trainingTypes()[1], e);
    }
    const std::string path = dir.file("stats.con");
    saveDocumentFile(doc, path);

    const Result first = runProgram("--stats '" + path + "'");
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, "measurement,maximum_s,average_s,median_s,sikkhati_x60,ma_maximum_s,ma_average_s,"
                         "ma_median_s,ma_sikkhati_x60\n")
        << "the first training type has no measurements";

    const Result second = runProgram("--stats '" + path + "' --type 2");
    EXPECT_EQ(second.status, 0);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = second.out.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(second.out.substr(start, end - start));
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[1], "1,2,2,2,6000,,,,");
    EXPECT_EQ(lines[29], "29,58,58,58,6000,,,,");
    EXPECT_EQ(lines[30], "30,60,60,60,6000,31,31,31,6000") << "(2 + 4 + ... + 60) / 30 = 31";
    EXPECT_EQ(lines[31], "31,62,62,62,6000,33,33,33,6000");

    EXPECT_EQ(runProgram("--stats '" + path + "' --type 4", "2>/dev/null").status, 2);
}

TEST(HeadlessCommands, HelpVersionAndUsageErrors)
{
    const Result help = runProgram("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--export-json FILE.con"), std::string::npos);
    const Result version = runProgram("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Jhavari-Training 1.2.01\n");
    EXPECT_EQ(runProgram("--export-json", "2>/dev/null").status, 2);
    EXPECT_EQ(runProgram("--frobnicate", "2>/dev/null").status, 2);
}

TEST(HeadlessCommands, MergeAddsWhatTheDocumentLacksAndPrintsTheCounts)
{
    // Two computers share measurement 1; each recorded its own measurement 2 since.
    TempDir dir;
    const auto document = [&](const std::string& name, std::vector<CalendarTime> starts) {
        TrainingDocument doc;
        doc.onNewDocument();
        std::uint16_t measurement = 0;
        for (const CalendarTime start : starts) {
            IntervalRecord e;
            e.m_timeStart = start;
            e.m_timeEnd = start + 600;
            e.m_measurement = ++measurement;
            e.m_run = 1;
            append(doc, doc.trainingTypes()[0], e);
        }
        saveDocumentFile(doc, dir.file(name));
        return dir.file(name);
    };
    const std::string into = document("laptop.con", {1'780'000'000, 1'780'090'000});
    const std::string source = document("desktop.con", {1'780'000'000, 1'780'050'000});

    const Result merged = runProgram("--merge '" + source + "' '" + into + "'", "2>&1");
    EXPECT_EQ(merged.status, 0);
    EXPECT_EQ(merged.out, "Apana Jhavari (Samatha Bhavana): 1 added, 1 skipped, 1 sitting renumbered\n"
                          "Kanika Jhavari (Vipassana Bhavana): 0 added, 0 skipped\n"
                          "Apana Jhavari (Metta Bhavana): 0 added, 0 skipped\n");
    TrainingDocument result;
    result.onNewDocument();
    openDocumentFile(result, into);
    const IntervalRecordList& records = result.trainingType(0).m_records;
    ASSERT_EQ(records.size(), 3);
    EXPECT_EQ(records[2].m_timeStart, 1'780'050'000);
    EXPECT_EQ(records[2].m_measurement, 3);

    // Nothing new: the file is not written again.
    const Bytes once = readBytes(into);
    const Result again = runProgram("--merge '" + source + "' '" + into + "'");
    EXPECT_EQ(again.status, 0);
    EXPECT_EQ(again.out.substr(0, again.out.find('\n')), "Apana Jhavari (Samatha Bhavana): 0 added, 2 skipped");
    EXPECT_EQ(readBytes(into), once);

    // A damaged source is refused with the program's messages and leaves the document as it was.
    const std::string damaged = dir.file("damaged.json");
    writeBytes(damaged, {'{', '"', 't', 'r', 'a'});
    const Result refused = runProgram("--merge '" + damaged + "' '" + into + "'", "2>&1");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "The file is defective and can not be read.\nUnerwartetes Dateiformat.\n");
    EXPECT_EQ(readBytes(into), once);
    EXPECT_EQ(runProgram("--merge '" + source + "'", "2>/dev/null").status, 2);
}
