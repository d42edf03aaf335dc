#include "records/exported_csv_reader.h"

#include "records/document_error.h"
#include "records/export_fields.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

constexpr std::size_t kFieldCount = 9;
constexpr std::array<std::string_view, kFieldCount> kHeader = {
    "training_type", "measurement", "run", "start", "end", "start_epoch", "end_epoch", "duration_s", "uddhacca",
};

[[noreturn]] void defective()
{
    throw DocumentError(DocumentError::Cause::DefectiveContent);
}

// Reads the lines of an RFC 4180 text one at a time: fields split at commas,
// quoted fields may hold commas, doubled quotes and line ends.
class CsvLines {
public:
    explicit CsvLines(std::string_view text) : m_text(text) { }

    bool atEnd() const { return m_at >= m_text.size(); }

    // The fields of the next line; a line end of LF or CR LF.
    const std::vector<std::string>& next()
    {
        m_fields.clear();
        std::string field;
        for (;;) {
            if (m_at < m_text.size() && m_text[m_at] == '"') {
                ++m_at;
                for (;;) {
                    if (m_at >= m_text.size())
                        defective(); // a quote never closed
                    const char c = m_text[m_at++];
                    if (c != '"') {
                        field += c;
                    } else if (m_at < m_text.size() && m_text[m_at] == '"') {
                        field += '"';
                        ++m_at;
                    } else {
                        break;
                    }
                }
            } else {
                while (m_at < m_text.size() && m_text[m_at] != ',' && m_text[m_at] != '\n' && m_text[m_at] != '\r') {
                    if (m_text[m_at] == '"')
                        defective(); // a quote inside an unquoted field
                    field += m_text[m_at++];
                }
            }
            m_fields.push_back(std::move(field));
            field.clear();
            if (m_at >= m_text.size())
                return m_fields;
            const char separator = m_text[m_at++];
            if (separator == ',')
                continue;
            if (separator == '\r' && (m_at >= m_text.size() || m_text[m_at++] != '\n'))
                defective();
            if (separator != '\n' && separator != '\r')
                defective();
            return m_fields;
        }
    }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
    std::vector<std::string> m_fields;
};

IntervalRecord recordOf(const std::vector<std::string>& fields)
{
    const auto measurement = readUnsigned16(fields[1]);
    const auto run = readUnsigned16(fields[2]);
    const auto start = readInteger64(fields[5]);
    const auto end = readInteger64(fields[6]);
    if (!measurement || !run || !start || !end || (fields[8] != "0" && fields[8] != "1"))
        defective();
    IntervalRecord record;
    record.m_timeStart = *start;
    record.m_timeEnd = *end;
    record.m_uddhacca = fields[8] == "1" ? 1 : 0;
    record.m_measurement = *measurement;
    record.m_run = *run;
    return record;
}

} // namespace

ImportedTypes readExportedCsv(std::string_view text)
{
    CsvLines lines(withoutByteOrderMark(text));
    const std::vector<std::string>& header = lines.next();
    if (header.size() != kFieldCount || !std::equal(header.begin(), header.end(), kHeader.begin()))
        defective();
    ImportedTypes types;
    while (!lines.atEnd()) {
        const std::vector<std::string>& fields = lines.next();
        if (fields.size() == 1 && fields[0].empty())
            continue; // an empty line, as at the end of a file edited by hand
        if (fields.size() != kFieldCount)
            defective();
        const IntervalRecord record = recordOf(fields);
        auto type = std::find_if(types.begin(), types.end(),
                                 [&](const ImportedTrainingType& known) { return known.name == fields[0]; });
        if (type == types.end()) {
            if (types.size() == kImportedTypeLimit)
                defective();
            types.push_back({fields[0], {}});
            type = types.end() - 1;
        }
        type->records.push_back(record);
    }
    return types;
}
