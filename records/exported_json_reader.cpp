#include "records/exported_json_reader.h"

#include "records/document_error.h"
#include "records/export_fields.h"
#include "records/text_encoding.h"

#include <optional>
#include <string>

namespace {

// Deeper nesting than any export has is refused before the stack could run out.
constexpr int kDeepestNesting = 64;

[[noreturn]] void defective()
{
    throw DocumentError(DocumentError::Cause::DefectiveContent);
}

// Reads the export's object by its known keys; other keys and their values
// are passed over, so that what the exports may add later does not hurt.
class JsonExportParser {
public:
    explicit JsonExportParser(std::string_view text) : m_text(text) { }

    ImportedTypes document()
    {
        ImportedTypes types;
        bool sawTypes = false;
        object(0, [&](const std::string& key) {
            if (key != "training_types")
                return false;
            sawTypes = true;
            array(1, [&] {
                if (types.size() == kImportedTypeLimit)
                    defective();
                types.push_back(trainingType());
            });
            return true;
        });
        skipBlanks();
        if (!sawTypes || m_at != m_text.size())
            defective();
        return types;
    }

private:
    ImportedTrainingType trainingType()
    {
        ImportedTrainingType type;
        bool sawName = false;
        bool sawIntervals = false;
        object(2, [&](const std::string& key) {
            if (key == "name") {
                type.name = string();
                sawName = true;
            } else if (key == "intervals") {
                array(3, [&] { type.records.push_back(interval()); });
                sawIntervals = true;
            } else {
                return false;
            }
            return true;
        });
        if (!sawName || !sawIntervals)
            defective();
        return type;
    }

    IntervalRecord interval()
    {
        IntervalRecord record;
        std::optional<std::int64_t> start, end;
        std::optional<bool> uddhacca;
        std::optional<std::uint16_t> measurement, run;
        object(4, [&](const std::string& key) {
            if (key == "start")
                start = readInteger64(number());
            else if (key == "end")
                end = readInteger64(number());
            else if (key == "uddhacca")
                uddhacca = boolean();
            else if (key == "measurement")
                measurement = readUnsigned16(number());
            else if (key == "run")
                run = readUnsigned16(number());
            else
                return false;
            return true;
        });
        if (!start || !end || !uddhacca || !measurement || !run)
            defective();
        record.m_timeStart = *start;
        record.m_timeEnd = *end;
        record.m_uddhacca = *uddhacca ? 1 : 0;
        record.m_measurement = *measurement;
        record.m_run = *run;
        return record;
    }

    // { "key": value, ... }: `member` reads the value of a key it knows and
    // returns true, else the value is passed over.
    template <typename Member>
    void object(int depth, Member&& member)
    {
        expect('{', depth);
        if (take('}'))
            return;
        do {
            skipBlanks();
            const std::string key = string();
            expect(':', depth);
            skipBlanks();
            if (!member(key))
                skipValue(depth + 1);
        } while (take(','));
        expect('}', depth);
    }

    template <typename Element>
    void array(int depth, Element&& element)
    {
        expect('[', depth);
        if (take(']'))
            return;
        do {
            skipBlanks();
            element();
        } while (take(','));
        expect(']', depth);
    }

    void skipValue(int depth)
    {
        if (depth > kDeepestNesting)
            defective();
        skipBlanks();
        const char c = peek();
        if (c == '{')
            object(depth, [](const std::string&) { return false; });
        else if (c == '[')
            array(depth, [&] { skipValue(depth + 1); });
        else if (c == '"')
            string();
        else if (c == 't' || c == 'f')
            boolean();
        else if (word("null"))
            return;
        else
            number();
    }

    // A JSON number's text; only whole numbers are read further.
    std::string_view number()
    {
        const std::size_t first = m_at;
        while (m_at < m_text.size() && std::string_view("+-0123456789.eE").find(m_text[m_at]) != std::string_view::npos)
            ++m_at;
        if (m_at == first)
            defective();
        return m_text.substr(first, m_at - first);
    }

    bool boolean()
    {
        if (word("true"))
            return true;
        if (!word("false"))
            defective();
        return false;
    }

    std::string string()
    {
        if (!take('"', false))
            defective();
        std::string text;
        for (;;) {
            if (m_at >= m_text.size())
                defective();
            const char c = m_text[m_at++];
            if (c == '"')
                return text;
            if (static_cast<unsigned char>(c) < 0x20)
                defective();
            if (c != '\\') {
                text += c;
                continue;
            }
            if (m_at >= m_text.size())
                defective();
            switch (const char escaped = m_text[m_at++]) {
            case '"':
            case '\\':
            case '/': text += escaped; break;
            case 'b': text += '\b'; break;
            case 'f': text += '\f'; break;
            case 'n': text += '\n'; break;
            case 'r': text += '\r'; break;
            case 't': text += '\t'; break;
            case 'u': appendUtf8(text, codePoint()); break;
            default: defective();
            }
        }
    }

    // After "\u": one code unit, or a surrogate pair joined.
    char32_t codePoint()
    {
        const char32_t unit = hexUnit();
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            defective();
        if (unit < 0xD800 || unit > 0xDBFF)
            return unit;
        if (!word("\\u"))
            defective();
        const char32_t low = hexUnit();
        if (low < 0xDC00 || low > 0xDFFF)
            defective();
        return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }

    char32_t hexUnit()
    {
        if (m_text.size() - m_at < 4)
            defective();
        char32_t unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0)
                defective();
            unit = unit * 16 + static_cast<char32_t>(digit);
        }
        return unit;
    }

    void skipBlanks()
    {
        while (m_at < m_text.size() &&
               (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    char peek() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }

    // Takes c after blanks when it comes next.
    bool take(char c, bool blanksFirst = true)
    {
        if (blanksFirst)
            skipBlanks();
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }

    void expect(char c, int depth)
    {
        if (depth > kDeepestNesting || !take(c))
            defective();
    }

    bool word(std::string_view text)
    {
        if (m_text.substr(m_at, text.size()) != text)
            return false;
        m_at += text.size();
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace

ImportedTypes readExportedJson(std::string_view text)
{
    return JsonExportParser(withoutByteOrderMark(text)).document();
}
