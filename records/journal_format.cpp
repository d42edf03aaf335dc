#include "records/journal_format.h"

#include "records/document_file.h"
#include "records/training_document.h"

#include <array>
#include <cassert>
#include <cstring>
#include <fstream>
#include <iterator>
#include <new>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

constexpr std::uint8_t kHeaderKind = 'H';
// The kind byte of each edit; 2 and 4 were removals by start time and by
// position, which cannot be replayed safely and are read as damage.
enum class EditKind : std::uint8_t { AppendInterval = 1, ReplaceSettings = 3, RemoveRecords = 5, InsertRecords = 6 };
constexpr std::size_t kFramePrefix = 8;
// No entry comes near this; a larger length is damage, not an entry.
constexpr std::uint32_t kMaxPayload = 64u << 20;

std::uint32_t crc32(const std::uint8_t* data, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int bit = 0; bit < 8; ++bit)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            entries[i] = c;
        }
        return entries;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

class PayloadWriter {
public:
    explicit PayloadWriter(std::vector<std::uint8_t>& out) : m_out(out), m_start(out.size())
    {
        m_out.resize(m_start + kFramePrefix);
    }
    // Fills in length and CRC once the payload is complete.
    ~PayloadWriter()
    {
        const std::size_t payload = m_start + kFramePrefix;
        const auto length = static_cast<std::uint32_t>(m_out.size() - payload);
        const std::uint32_t check = crc32(m_out.data() + payload, length);
        for (int i = 0; i < 4; ++i) {
            m_out[m_start + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(length >> (8 * i));
            m_out[m_start + 4 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(check >> (8 * i));
        }
    }
    PayloadWriter(const PayloadWriter&) = delete;
    PayloadWriter& operator=(const PayloadWriter&) = delete;

    void put(std::uint64_t value, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            m_out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void put8(std::int64_t value) { put(static_cast<std::uint64_t>(value), 8); }
    void put4(std::int64_t value) { put(static_cast<std::uint64_t>(value), 4); }
    void putText(const std::string& text)
    {
        put4(static_cast<std::int64_t>(text.size()));
        m_out.insert(m_out.end(), text.begin(), text.end());
    }
    void putRecord(const IntervalRecord& record)
    {
        put8(record.m_timeStart);
        put8(record.m_timeEnd);
        put4(record.m_uddhacca);
        put(record.m_measurement, 2);
        put(record.m_run, 2);
    }
    // The settings' fields: texts, 4-byte numbers and 8-byte calendar times.
    void putField(const std::string& text) { putText(text); }
    void putField(std::int32_t value) { put4(value); }
    void putField(CalendarTime value) { put8(value); }

private:
    std::vector<std::uint8_t>& m_out;
    std::size_t m_start;
};

// Reads a payload; every read past its end makes it bad instead of throwing.
class PayloadReader {
public:
    PayloadReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) { }
    bool isGood() const { return m_good; }
    bool isAtEnd() const { return m_pos == m_size; }

    std::uint64_t get(int bytes)
    {
        if (m_size - m_pos < static_cast<std::size_t>(bytes)) {
            m_good = false;
            return 0;
        }
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i)
            value |= static_cast<std::uint64_t>(m_data[m_pos + static_cast<std::size_t>(i)]) << (8 * i);
        m_pos += static_cast<std::size_t>(bytes);
        return value;
    }
    std::int64_t get8() { return static_cast<std::int64_t>(get(8)); }
    std::int32_t get4() { return static_cast<std::int32_t>(get(4)); }
    std::string getText()
    {
        const std::uint64_t length = get(4);
        if (m_size - m_pos < length) {
            m_good = false;
            return {};
        }
        std::string text(reinterpret_cast<const char*>(m_data + m_pos), length);
        m_pos += length;
        return text;
    }
    IntervalRecord getRecord()
    {
        IntervalRecord record;
        record.m_timeStart = get8();
        record.m_timeEnd = get8();
        record.m_uddhacca = get4();
        record.m_measurement = static_cast<std::uint16_t>(get(2));
        record.m_run = static_cast<std::uint16_t>(get(2));
        return record;
    }
    void getField(std::string& text) { text = getText(); }
    void getField(std::int32_t& value) { value = get4(); }
    void getField(CalendarTime& value) { value = get8(); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
    bool m_good = true;
};

void putSettings(PayloadWriter& out, const DocumentSettings& settings)
{
    DocumentSettings::forEachStoredField(settings, [&out](const auto& field) { out.putField(field); });
}

void getSettings(PayloadReader& in, DocumentSettings& settings)
{
    DocumentSettings::forEachStoredField(settings, [&in](auto& field) { in.getField(field); });
}

bool readHeader(PayloadReader& in, JournalHeader& header)
{
    header.m_documentPath = in.getText();
    FileIdentity& id = header.m_identity;
    id.m_exists = in.get(1) != 0;
    id.m_size = in.get8();
    id.m_modifiedSeconds = in.get8();
    id.m_modifiedNanoseconds = in.get8();
    id.m_inode = in.get(8);
    id.m_device = in.get(8);
    return in.isGood() && in.isAtEnd();
}

std::vector<PlacedRecord> readPlacedRecords(PayloadReader& in)
{
    std::vector<PlacedRecord> records;
    const std::uint64_t count = in.get(4);
    for (std::uint64_t i = 0; i < count && in.isGood(); ++i) {
        const auto position = static_cast<std::int32_t>(in.get(4));
        records.push_back({position, in.getRecord()});
    }
    return records;
}

bool readEdit(PayloadReader& in, std::uint8_t kind, DocumentEdit& edit)
{
    const int type = static_cast<int>(in.get(1));
    if (type >= TrainingDocument::kTrainingTypeCount)
        return false;
    switch (static_cast<EditKind>(kind)) {
    case EditKind::AppendInterval: edit = AppendInterval{type, in.getRecord()}; break;
    case EditKind::RemoveRecords: edit = RemoveRecords{type, readPlacedRecords(in)}; break;
    case EditKind::InsertRecords: edit = InsertRecords{type, readPlacedRecords(in)}; break;
    case EditKind::ReplaceSettings: {
        ReplaceSettings replaced;
        getSettings(in, replaced.settings);
        edit = std::move(replaced);
        break;
    }
    default: return false;
    }
    return in.isGood() && in.isAtEnd();
}

} // namespace

int JournalContents::appendedIntervalCount() const
{
    int count = 0;
    for (const JournalEntry& entry : m_entries)
        count += std::holds_alternative<AppendInterval>(entry.m_edit) ? 1 : 0;
    return count;
}

std::int64_t JournalContents::lastIntervalWrittenAt() const
{
    for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
        if (std::holds_alternative<AppendInterval>(it->m_edit))
            return it->m_writtenAt;
    }
    return 0;
}

void appendJournalMagic(std::vector<std::uint8_t>& out)
{
    out.insert(out.end(), std::begin(kJournalMagic), std::end(kJournalMagic));
}

void appendHeaderFrame(std::vector<std::uint8_t>& out, const JournalHeader& header)
{
    PayloadWriter frame(out);
    frame.put(kHeaderKind, 1);
    frame.put8(header.m_writtenAt);
    frame.putText(header.m_documentPath);
    const FileIdentity& id = header.m_identity;
    frame.put(id.m_exists ? 1 : 0, 1);
    frame.put8(id.m_size);
    frame.put8(id.m_modifiedSeconds);
    frame.put8(id.m_modifiedNanoseconds);
    frame.put(id.m_inode, 8);
    frame.put(id.m_device, 8);
}

void appendEditFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, const DocumentEdit& edit)
{
    PayloadWriter frame(out);
    const auto begin = [&frame, writtenAt](EditKind kind, int type) {
        frame.put(static_cast<std::uint8_t>(kind), 1);
        frame.put8(writtenAt);
        frame.put(static_cast<std::uint64_t>(type), 1);
    };
    const auto putPlaced = [&frame](const std::vector<PlacedRecord>& records) {
        frame.put4(static_cast<std::int64_t>(records.size()));
        for (const PlacedRecord& placed : records) {
            frame.put4(placed.position);
            frame.putRecord(placed.record);
        }
    };
    std::visit(
        [&](const auto& change) {
            using Change = std::decay_t<decltype(change)>;
            if constexpr (std::is_same_v<Change, AppendInterval>) {
                begin(EditKind::AppendInterval, change.type);
                frame.putRecord(change.record);
            } else if constexpr (std::is_same_v<Change, RemoveRecords>) {
                begin(EditKind::RemoveRecords, change.type);
                putPlaced(change.records);
            } else if constexpr (std::is_same_v<Change, InsertRecords>) {
                begin(EditKind::InsertRecords, change.type);
                putPlaced(change.records);
            } else if constexpr (std::is_same_v<Change, ReplaceSettings>) {
                begin(EditKind::ReplaceSettings, 0);
                putSettings(frame, change.settings);
            } else {
                // The time sound never marks the document modified, so it is never journalled.
                static_assert(std::is_same_v<Change, SetTimeSound>);
                assert(false);
            }
        },
        edit);
}

JournalContents parseJournal(const std::uint8_t* data, std::size_t size)
{
    JournalContents contents;
    if (size < sizeof kJournalMagic || std::memcmp(data, kJournalMagic, sizeof kJournalMagic) != 0) {
        contents.m_damaged = size > 0;
        return contents;
    }
    std::size_t pos = sizeof kJournalMagic;
    while (pos < size) {
        PayloadReader prefix(data + pos, size - pos);
        const auto length = static_cast<std::uint32_t>(prefix.get(4));
        const auto check = static_cast<std::uint32_t>(prefix.get(4));
        if (!prefix.isGood() || length > kMaxPayload || size - pos - kFramePrefix < length ||
            crc32(data + pos + kFramePrefix, length) != check)
            break;
        PayloadReader in(data + pos + kFramePrefix, length);
        const auto kind = static_cast<std::uint8_t>(in.get(1));
        const std::int64_t writtenAt = in.get8();
        bool good = false;
        if (!contents.m_hasHeader) {
            // Entries before a header would belong to no document.
            good = kind == kHeaderKind && readHeader(in, contents.m_header);
            contents.m_header.m_writtenAt = writtenAt;
            contents.m_hasHeader = good;
        } else {
            JournalEntry entry;
            entry.m_writtenAt = writtenAt;
            good = readEdit(in, kind, entry.m_edit);
            if (good)
                contents.m_entries.push_back(std::move(entry));
        }
        if (!good)
            break;
        pos += kFramePrefix + length;
    }
    contents.m_damaged = pos < size;
    return contents;
}

JournalContents readJournal(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    try {
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        return parseJournal(bytes.data(), bytes.size());
    } catch (const std::bad_alloc&) {
        return {};
    }
}

void replayJournal(TrainingDocument& doc, const std::vector<JournalEntry>& entries)
{
    for (const JournalEntry& entry : entries)
        doc.apply(entry.m_edit);
}
