#include "records/import_source.h"

#include "records/document_error.h"
#include "records/document_file.h"
#include "records/export_fields.h"
#include "records/exported_csv_reader.h"
#include "records/exported_json_reader.h"
#include "records/file_descriptor.h"
#include "records/training_document.h"

#include <cerrno>
#include <new>
#include <unistd.h>

namespace {

// No export of a lifetime of practice comes near this; a larger file is not read into memory.
constexpr std::uint64_t kLargestExport = std::uint64_t{1} << 30;

class OpenFile {
public:
    explicit OpenFile(const std::string& path) : m_path(path), m_file(openRegularFileForReading(path, m_size)) { }

    std::uint64_t size() const { return m_size; }

    // Up to `count` bytes from where the last read ended; fewer at the end of the file.
    std::string read(std::size_t count)
    {
        std::string bytes(count, '\0');
        std::size_t filled = 0;
        while (filled < count) {
            const ssize_t got = ::read(m_file.get(), bytes.data() + filled, count - filled);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw DocumentError::fromErrno(errno, m_path);
            if (got == 0)
                break;
            filled += static_cast<std::size_t>(got);
        }
        bytes.resize(filled);
        return bytes;
    }

private:
    std::string m_path;
    std::uint64_t m_size = 0;
    FileDescriptor m_file;
};

ImportedTypes readDocument(const std::string& path)
{
    TrainingDocument source;
    source.onNewDocument();
    openDocumentFile(source, path);
    ImportedTypes types;
    for (const TrainingType& type : source.trainingTypes())
        types.push_back({type.m_name, {type.m_records.begin(), type.m_records.end()}});
    return types;
}

ImportedTypes readExport(const std::string& bytes)
{
    const std::string_view text = withoutByteOrderMark(bytes);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    if (text[first] == '{')
        return readExportedJson(text);
    if (text.starts_with("training_type,"))
        return readExportedCsv(text);
    throw DocumentError(DocumentError::Cause::DefectiveMagic);
}

// Times that no calendar holds, or an end before the start, come from no
// recording: the file is damaged or made to harm.
void requirePossibleRecords(const ImportedTypes& types)
{
    for (const ImportedTrainingType& type : types) {
        for (const IntervalRecord& record : type.records) {
            if (!isPossibleRecord(record))
                throw DocumentError(DocumentError::Cause::DefectiveContent);
        }
    }
}

} // namespace

ImportedTypes readImportSource(const std::string& path)
{
    try {
        ImportedTypes types;
        {
            OpenFile file(path);
            const std::string start = file.read(4);
            if (start == std::string("\x03"
                                     "con",
                                     4)) {
                types = readDocument(path);
            } else {
                if (file.size() > kLargestExport)
                    throw DocumentError(DocumentError::Cause::OutOfMemory, path);
                types = readExport(start + file.read(static_cast<std::size_t>(file.size())));
            }
        }
        requirePossibleRecords(types);
        return types;
    } catch (DocumentError& error) {
        error.setPath(path);
        throw;
    } catch (const std::bad_alloc&) {
        throw DocumentError(DocumentError::Cause::OutOfMemory, path);
    }
}
