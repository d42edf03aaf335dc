#include "headless_commands.h"

#include "document.h"
#include "document_error.h"
#include "document_export.h"
#include "document_file.h"

#include <functional>
#include <ostream>
#include <string>

namespace {

constexpr const char* kVersion = "1.2.01";

void PrintHelp(std::ostream& out)
{
    out << "Usage: jhavari-training [FILE.con]\n"
           "       jhavari-training -register\n"
           "       jhavari-training --export-json FILE.con\n"
           "       jhavari-training --export-csv FILE.con\n"
           "       jhavari-training --help | --version\n"
           "\n"
           "Without options the program opens its window, with FILE.con loaded if given.\n"
           "--export-json  writes the whole document as JSON to standard output.\n"
           "--export-csv   writes one line per meditation interval as CSV.\n";
}

int ExportDocument(const std::string& path, std::ostream& out, std::ostream& err,
                   const std::function<void(const CVersenkwerkDoc&, std::ostream&)>& write)
{
    CVersenkwerkDoc doc;
    doc.OnNewDocument();
    try {
        OpenDocumentFile(doc, path);
    } catch (const CDocumentError& error) {
        if (!error.GetPreludeMessage().empty())
            err << error.GetPreludeMessage() << '\n';
        err << error.GetMessage() << '\n';
        return 1;
    }
    write(doc, out);
    out.flush();
    return out ? 0 : 1;
}

} // namespace

std::optional<int> RunHeadlessCommand(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    if (argc < 2)
        return std::nullopt;
    const std::string command = argv[1];
    if (command == "--help") {
        PrintHelp(out);
        return 0;
    }
    if (command == "--version") {
        out << "Jhavari-Training " << kVersion << '\n';
        return 0;
    }
    if (command == "--export-json" || command == "--export-csv") {
        if (argc != 3) {
            err << command << " needs exactly one file name.\n";
            PrintHelp(err);
            return 2;
        }
        return ExportDocument(argv[2], out, err, command == "--export-json" ? ExportJson : ExportCsv);
    }
    if (command.rfind("--", 0) == 0) {
        err << "Unknown option " << command << ".\n";
        PrintHelp(err);
        return 2;
    }
    return std::nullopt;
}
