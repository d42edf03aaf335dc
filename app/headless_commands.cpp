#include "app/headless_commands.h"

#include "evaluation/statistics_csv.h"
#include "records/document_error.h"
#include "records/document_export.h"
#include "records/document_file.h"
#include "records/import_source.h"
#include "records/interval_merge.h"
#include "records/training_document.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

namespace {

constexpr const char* kVersion = "1.2.01";

void printHelp(std::ostream& out)
{
    out << "Usage: jhavari-training [[--] FILE.con]\n"
           "       jhavari-training -register\n"
           "       jhavari-training --export-json FILE.con\n"
           "       jhavari-training --export-csv FILE.con\n"
           "       jhavari-training --stats FILE.con [--type 1|2|3]\n"
           "       jhavari-training --merge SOURCE INTO.con\n"
           "       jhavari-training --help | --version\n"
           "\n"
           "Without options the program opens its window, with FILE.con loaded if given.\n"
           "--export-json  writes the whole document as JSON to standard output.\n"
           "--export-csv   writes one line per meditation interval as CSV.\n"
           "--stats        writes the evaluation of one training type (default 1) per measurement\n"
           "               as CSV, with the document's filter time; moving averages from 30 on.\n"
           "--merge        adds the intervals of SOURCE (a document, or a CSV or JSON export) that\n"
           "               INTO.con lacks, saves INTO.con and prints per training type how many\n"
           "               were added and skipped.\n";
}

// Messages name the full path, as the window's do.
std::string fullPathOf(const std::string& path)
{
    std::error_code failed;
    const std::filesystem::path absolute = std::filesystem::absolute(path, failed);
    return failed ? path : absolute.lexically_normal().string();
}

void printError(std::ostream& err, const DocumentError& error)
{
    if (!error.preludeMessage().empty())
        err << error.preludeMessage() << '\n';
    err << error.message() << '\n';
}

int exportDocument(const std::string& path, std::ostream& out, std::ostream& err,
                   const std::function<void(const TrainingDocument&, std::ostream&)>& write)
{
    TrainingDocument doc;
    doc.onNewDocument();
    try {
        openDocumentFile(doc, fullPathOf(path));
    } catch (const DocumentError& error) {
        printError(err, error);
        return 1;
    }
    write(doc, out);
    out.flush();
    return out ? 0 : 1;
}

// The document is written, atomically, only when it gains intervals.
int mergeDocuments(const std::string& sourcePath, const std::string& intoPath, std::ostream& out, std::ostream& err)
{
    TrainingDocument doc;
    doc.onNewDocument();
    try {
        const std::string into = fullPathOf(intoPath);
        openDocumentFile(doc, into);
        const IntervalMerge merge(doc, readImportSource(fullPathOf(sourcePath)));
        if (merge.numbersExhausted()) {
            err << kMergeNumbersExhaustedMessage << '\n';
            return 1;
        }
        for (const InsertRecords& edit : merge.edits())
            doc.apply(edit);
        if (merge.addedCount() > 0)
            saveDocumentFile(doc, into);
        out << merge.countsText();
    } catch (const DocumentError& error) {
        printError(err, error);
        return 1;
    }
    return 0;
}

std::optional<int> runCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    if (argc < 2)
        return std::nullopt;
    const std::string command = argv[1];
    if (command == "--help") {
        printHelp(out);
        return 0;
    }
    if (command == "--version") {
        out << "Jhavari-Training " << kVersion << '\n';
        return 0;
    }
    if (command == "--export-json" || command == "--export-csv") {
        if (argc != 3) {
            err << command << " needs exactly one file name.\n";
            printHelp(err);
            return 2;
        }
        return exportDocument(argv[2], out, err, command == "--export-json" ? exportJson : exportCsv);
    }
    if (command == "--stats") {
        int type = 1;
        if (argc == 5 && std::string(argv[3]) == "--type" && std::string(argv[4]).size() == 1 && argv[4][0] >= '1' &&
            argv[4][0] <= '3') {
            type = argv[4][0] - '0';
        } else if (argc != 3) {
            err << "--stats needs a file name and optionally --type 1, 2 or 3.\n";
            printHelp(err);
            return 2;
        }
        return exportDocument(argv[2], out, err, [type](const TrainingDocument& doc, std::ostream& stream) {
            writeStatisticsCsv(doc.trainingTypes()[static_cast<std::size_t>(type - 1)], doc.settings(), stream);
        });
    }
    if (command == "--merge") {
        if (argc != 4) {
            err << "--merge needs the file to import from and the document to merge into.\n";
            printHelp(err);
            return 2;
        }
        return mergeDocuments(argv[2], argv[3], out, err);
    }
    if (command.rfind("--", 0) == 0 && command != "--") {
        err << "Unknown option " << command << ".\n";
        printHelp(err);
        return 2;
    }
    return std::nullopt;
}

} // namespace

std::optional<int> runHeadlessCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    errno = 0;
    const std::optional<int> status = runCommand(argc, argv, out, err);
    if (status && !out.flush()) {
        const int error = errno;
        err << "Standard output could not be written" << (error != 0 ? std::string(": ") + std::strerror(error) : "")
            << ".\n";
        return 1;
    }
    return status;
}
