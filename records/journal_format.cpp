#include "records/journal_format.h"

#include "records/training_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <cerrno>
#include <cstring>
#include <memory>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

constexpr std::uint8_t kHeaderKind = 'H';
// The kind byte of each edit; 2 and 4 were removals by start time and by
// position, which cannot be replayed safely and are read as damage.
enum class EditKind : std::uint8_t {
    AppendInterval = 1,
    ReplaceSettings = 3,
    RemoveRecords = 5,
    InsertRecords = 6,
    RunningInterval = 7, // no edit: the interval being timed
    StepBegins = 8,
    StepEnds = 9
};
constexpr std::size_t kFramePrefix = 8;
// No entry comes near this; a larger length is damage, not an entry.
constexpr std::uint32_t kMaxPayload = 64u << 20;
// How much of a journal file is read at a time.
constexpr std::size_t kReadChunk = 64u << 10;

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

// What reaches the document from a journal meets the rules of a file to read.
bool holdsPossibleRecords(const DocumentEdit& edit)
{
    const auto possible = [](const std::vector<PlacedRecord>& records) {
        return std::all_of(records.begin(), records.end(),
                           [](const PlacedRecord& placed) { return isPossibleRecord(placed.record); });
    };
    if (const auto* appended = std::get_if<AppendInterval>(&edit))
        return isPossibleRecord(appended->record);
    if (const auto* inserted = std::get_if<InsertRecords>(&edit))
        return possible(inserted->records);
    return true;
}

} // namespace

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

void appendRunningIntervalFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, const AppendInterval& cutOff)
{
    PayloadWriter frame(out);
    frame.put(static_cast<std::uint8_t>(EditKind::RunningInterval), 1);
    frame.put8(writtenAt);
    frame.put(static_cast<std::uint64_t>(cutOff.type), 1);
    frame.putRecord(cutOff.record);
}

void appendStepFrame(std::vector<std::uint8_t>& out, std::int64_t writtenAt, bool begins)
{
    PayloadWriter frame(out);
    frame.put(static_cast<std::uint8_t>(begins ? EditKind::StepBegins : EditKind::StepEnds), 1);
    frame.put8(writtenAt);
}

JournalReader::JournalReader(ReadFn read) : m_read(std::move(read))
{
    if (!fill(sizeof kJournalMagic) ||
        std::memcmp(m_buffer.data() + m_begin, kJournalMagic, sizeof kJournalMagic) != 0) {
        m_damaged = m_end > m_begin;
        m_atEnd = true;
        return;
    }
    m_begin += sizeof kJournalMagic;
    m_complete = sizeof kJournalMagic;
    // Entries before a header would belong to no document.
    if (!nextPayload(m_payload)) {
        m_complete = 0;
        return;
    }
    PayloadReader in(m_payload.data(), m_payload.size());
    const auto kind = static_cast<std::uint8_t>(in.get(1));
    m_header.m_writtenAt = in.get8();
    m_hasHeader = kind == kHeaderKind && readHeader(in, m_header);
    if (!m_hasHeader) {
        m_complete = 0;
        m_damaged = true;
        m_atEnd = true;
    }
}

std::optional<JournalReader> JournalReader::openFile(const std::string& path)
{
    // Not blocking: a pipe put in the journal's place must not hang the start.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status { };
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    const auto file = std::shared_ptr<int>(new int(fd), [](int* owned) {
        ::close(*owned);
        delete owned;
    });
    return JournalReader([file](std::uint8_t* data, std::size_t size) -> std::size_t {
        for (;;) {
            const ssize_t got = ::read(*file, data, size);
            if (got >= 0)
                return static_cast<std::size_t>(got);
            if (errno != EINTR)
                return 0;
        }
    });
}

JournalReader JournalReader::fromMemory(const std::uint8_t* data, std::size_t size)
{
    return JournalReader([data, size, offset = std::size_t{0}](std::uint8_t* out, std::size_t wanted) mutable {
        const std::size_t count = std::min(wanted, size - offset);
        if (count > 0)
            std::memcpy(out, data + offset, count);
        offset += count;
        return count;
    });
}

bool JournalReader::fill(std::size_t needed)
{
    if (m_end - m_begin >= needed)
        return true;
    // Keep what is unread at the front, then read until enough is there.
    if (m_end > m_begin)
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
    m_end -= m_begin;
    m_begin = 0;
    if (m_buffer.size() < std::max<std::size_t>(needed, kReadChunk))
        m_buffer.resize(std::max<std::size_t>(needed, kReadChunk));
    while (m_end < needed && !m_atEnd) {
        const std::size_t got = m_read(m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (got == 0)
            m_atEnd = true;
        m_end += got;
    }
    return m_end >= needed;
}

bool JournalReader::nextPayload(std::vector<std::uint8_t>& payload)
{
    if (!fill(kFramePrefix)) {
        m_damaged = m_end > m_begin;
        return false;
    }
    PayloadReader prefix(m_buffer.data() + m_begin, kFramePrefix);
    const auto length = static_cast<std::uint32_t>(prefix.get(4));
    const auto check = static_cast<std::uint32_t>(prefix.get(4));
    if (m_limit && m_complete + kFramePrefix + length > *m_limit)
        return false;
    if (length > kMaxPayload || !fill(kFramePrefix + length) ||
        crc32(m_buffer.data() + m_begin + kFramePrefix, length) != check) {
        m_damaged = true;
        return false;
    }
    payload.assign(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_begin + kFramePrefix),
                   m_buffer.begin() + static_cast<std::ptrdiff_t>(m_begin + kFramePrefix + length));
    m_begin += kFramePrefix + length;
    m_complete += kFramePrefix + length;
    return true;
}

std::optional<JournalEntry> JournalReader::next()
{
    while (m_hasHeader && !m_stopped && nextPayload(m_payload)) {
        const std::uint64_t frameStart = m_complete - kFramePrefix - m_payload.size();
        PayloadReader in(m_payload.data(), m_payload.size());
        const auto kind = static_cast<EditKind>(in.get(1));
        JournalEntry entry;
        entry.m_writtenAt = in.get8();
        if ((kind == EditKind::StepBegins || kind == EditKind::StepEnds) && in.isGood() && in.isAtEnd()) {
            // A step begun inside another belongs to it.
            if (kind == EditKind::StepEnds)
                m_stepStart.reset();
            else if (!m_stepStart)
                m_stepStart = frameStart;
            continue;
        }
        const bool running = kind == EditKind::RunningInterval;
        if (!readEdit(in, static_cast<std::uint8_t>(running ? EditKind::AppendInterval : kind), entry.m_edit) ||
            !holdsPossibleRecords(entry.m_edit)) {
            // A frame sound in itself that holds no edit this program knows, or
            // times no recording gives: nothing after it is replayed.
            m_complete = frameStart;
            m_damaged = true;
            m_stopped = true;
            return std::nullopt;
        }
        const auto* appended = std::get_if<AppendInterval>(&entry.m_edit);
        if (running) {
            m_interrupted = *appended;
            continue;
        }
        if (appended && m_interrupted && m_interrupted->type == appended->type &&
            m_interrupted->record.m_timeStart == appended->record.m_timeStart)
            m_interrupted.reset();
        return entry;
    }
    return std::nullopt;
}
