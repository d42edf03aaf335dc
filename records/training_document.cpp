#include "records/training_document.h"

#include "records/archive.h"
#include "records/document_error.h"
#include "records/edit_journal.h"

#include <algorithm>
#include <cassert>
#include <type_traits>

namespace {

// An interval block is never shorter than with both times in their 4-byte form.
constexpr std::size_t kMinEntryBytes = 4 + 4 + 4 + 2 + 2;
// The writer's form: both times with their marker.
constexpr std::size_t kStoredEntryBytes = 12 + 12 + 4 + 2 + 2;
constexpr std::uint32_t kTimeMarker = 0x8000000Au;

} // namespace

const std::array<const char*, TrainingDocument::kTrainingTypeCount> TrainingDocument::kDefaultTrainingTypeNames = {
    "Apana Jhavari (Samatha Bhavana)",
    "Kanika Jhavari (Vipassana Bhavana)",
    "Apana Jhavari (Metta Bhavana)",
};

namespace {

std::uint32_t dword(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Reads a block whose times are both in the long form at once: by far the
// commonest case, and a million records should load at nearly disk speed.
bool loadLongFormEntry(Archive& ar, IntervalRecord& entry)
{
    const std::uint8_t* p = ar.peek(32);
    if (!p || dword(p) != kTimeMarker || dword(p + 12) != kTimeMarker)
        return false;
    entry.m_timeStart = static_cast<CalendarTime>(dword(p + 4) | (static_cast<std::uint64_t>(dword(p + 8)) << 32));
    entry.m_timeEnd = static_cast<CalendarTime>(dword(p + 16) | (static_cast<std::uint64_t>(dword(p + 20)) << 32));
    entry.m_uddhacca = static_cast<std::int32_t>(dword(p + 24));
    entry.m_measurement = static_cast<std::uint16_t>(p[28] | (p[29] << 8));
    entry.m_run = static_cast<std::uint16_t>(p[30] | (p[31] << 8));
    ar.skip(32);
    return true;
}

void putLittleEndian(std::uint8_t* target, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        target[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void encodeEntry(std::uint8_t* block, const IntervalRecord& entry)
{
    putLittleEndian(block, kTimeMarker, 4);
    putLittleEndian(block + 4, static_cast<std::uint64_t>(entry.m_timeStart), 8);
    putLittleEndian(block + 12, kTimeMarker, 4);
    putLittleEndian(block + 16, static_cast<std::uint64_t>(entry.m_timeEnd), 8);
    putLittleEndian(block + 24, static_cast<std::uint32_t>(entry.m_uddhacca), 4);
    putLittleEndian(block + 28, entry.m_measurement, 2);
    putLittleEndian(block + 30, entry.m_run, 2);
}

void storeEntry(Archive& ar, const IntervalRecord& entry)
{
    std::uint8_t block[kStoredEntryBytes];
    encodeEntry(block, entry);
    ar.writeBytes(block, sizeof block);
}

// Encodes a few hundred blocks at a time and hands them on in one go, as
// saving many records should take little more than writing them.
void storeEntries(Archive& ar, const IntervalRecordList& records)
{
    constexpr std::size_t kBatch = 256;
    std::uint8_t blocks[kBatch * kStoredEntryBytes];
    std::size_t filled = 0;
    for (const IntervalRecord& entry : records) {
        encodeEntry(blocks + filled * kStoredEntryBytes, entry);
        if (++filled == kBatch) {
            ar.writeBytes(blocks, sizeof blocks);
            filled = 0;
        }
    }
    ar.writeBytes(blocks, filled * kStoredEntryBytes);
}

} // namespace

void serializeDataEntry(Archive& ar, IntervalRecord& entry)
{
    if (ar.isStoring()) {
        storeEntry(ar, entry);
        return;
    }
    if (loadLongFormEntry(ar, entry))
        return;
    ar.serializeTime(entry.m_timeStart);
    ar.serializeTime(entry.m_timeEnd);
    ar.serialize(entry.m_uddhacca);
    ar.serialize(entry.m_measurement);
    ar.serialize(entry.m_run);
}

template <typename Announce>
void TrainingDocument::announce(Announce&& announcement)
{
    const std::vector<DocumentListener*> listeners = m_listeners; // a listener may detach itself while told
    for (DocumentListener* listener : listeners)
        announcement(*listener);
}

TrainingDocument::TrainingDocument() = default;

bool TrainingDocument::onNewDocument()
{
    m_pathName.clear();
    m_modified = false;
    for (std::size_t i = 0; i < m_trainingTypes.size(); ++i) {
        m_trainingTypes[i].m_name = kDefaultTrainingTypeNames[i];
        m_trainingTypes[i].m_records.removeAll();
    }
    if (m_firstNew)
        m_firstNew = false;
    else
        announceReset(DocumentReset::NewDocument);
    return true;
}

void TrainingDocument::serialize(Archive& ar)
{
    std::string magic = "con";
    ar.serialize(magic);
    if (ar.isLoading() && magic != "con")
        throw DocumentError(DocumentError::Cause::DefectiveMagic);
    if (ar.isStoring() && m_currentType)
        m_settings.m_trainingType = m_currentType->m_name;
    serializeSettings(ar);
    for (TrainingType& type : m_trainingTypes)
        serializeTrainingType(ar, type);
}

std::size_t TrainingDocument::storedSize() const
{
    DocumentSettings settings = m_settings;
    if (m_currentType)
        settings.m_trainingType = m_currentType->m_name;
    std::size_t size = Archive::storedTextSize("con");
    DocumentSettings::forEachStoredField(settings, [&size](const auto& field) {
        using Field = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<Field, std::string>)
            size += Archive::storedTextSize(field);
        else if constexpr (std::is_same_v<Field, CalendarTime>)
            size += Archive::kStoredTimeSize;
        else
            size += sizeof(Field);
    });
    for (const TrainingType& type : m_trainingTypes)
        size += Archive::storedTextSize(type.m_name) + sizeof(std::int32_t) +
                kStoredEntryBytes * static_cast<std::size_t>(type.m_records.size());
    return size;
}

void TrainingDocument::serializeSettings(Archive& ar)
{
    DocumentSettings::forEachStoredField(m_settings, [&ar](auto& field) {
        if constexpr (std::is_same_v<std::decay_t<decltype(field)>, CalendarTime>)
            ar.serializeTime(field);
        else
            ar.serialize(field);
    });
}

void TrainingDocument::serializeTrainingType(Archive& ar, TrainingType& type)
{
    ar.serialize(type.m_name);
    if (ar.isStoring()) {
        std::int32_t count = type.m_records.size();
        ar.serialize(count);
        storeEntries(ar, type.m_records);
        return;
    }
    type.m_records.removeAll();
    std::int32_t count = 0;
    ar.serialize(count);
    // A count the rest of the file cannot hold would otherwise make us
    // reserve memory the file never fills.
    ar.requireRemaining(count, kMinEntryBytes);
    if (count > 0)
        type.m_records.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        IntervalRecord entry;
        serializeDataEntry(ar, entry);
        type.m_records.add(entry);
    }
}

const TrainingType& TrainingDocument::trainingType(int index) const
{
    assert(index >= 0 && index < kTrainingTypeCount);
    return m_trainingTypes[static_cast<std::size_t>(index)];
}

TrainingType& TrainingDocument::ownType(int index)
{
    assert(index >= 0 && index < kTrainingTypeCount);
    return m_trainingTypes[static_cast<std::size_t>(index)];
}

int TrainingDocument::indexOf(const TrainingType& type) const
{
    assert(&type >= m_trainingTypes.data() && &type < m_trainingTypes.data() + kTrainingTypeCount);
    return static_cast<int>(&type - m_trainingTypes.data());
}

int TrainingDocument::currentTypeIndex() const
{
    return m_currentType ? indexOf(*m_currentType) : -1;
}

const TrainingType* TrainingDocument::findTrainingType(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (const TrainingType& type : m_trainingTypes) {
        if (type.m_name == name)
            return &type;
    }
    return nullptr;
}

const TrainingType* TrainingDocument::selectTrainingType(const std::string& name)
{
    const TrainingType* found = findTrainingType(name);
    if (found && found != m_currentType) {
        m_currentType = &ownType(indexOf(*found));
        announce([](DocumentListener& listener) { listener.currentTypeChanged(); });
    }
    return found;
}

std::uint16_t TrainingDocument::maxMeasurementNumber() const
{
    std::uint16_t highest = 0;
    if (!m_currentType)
        return highest;
    for (const IntervalRecord& entry : m_currentType->m_records)
        highest = std::max(highest, entry.m_measurement);
    return highest;
}

DocumentEdit TrainingDocument::apply(const DocumentEdit& edit)
{
    const AppliedEdit applied = std::visit([this](const auto& change) { return applyChange(change); }, edit);
    if (!std::holds_alternative<SetTimeSound>(edit)) {
        m_modified = true;
        if (m_journal)
            m_journal->record(applied.effective);
    }
    announceEdit(applied);
    return applied.inverse;
}

void TrainingDocument::keepRunningInterval(const AppendInterval& cutOff)
{
    if (m_journal)
        m_journal->keepRunningInterval(cutOff);
}

void TrainingDocument::beginStep()
{
    if (m_journal)
        m_journal->beginStep();
}

void TrainingDocument::endStep()
{
    if (m_journal)
        m_journal->endStep();
}

void TrainingDocument::applyStep(const DocumentEdit& edit, const std::string&)
{
    apply(edit);
}

TrainingDocument::AppliedEdit TrainingDocument::applyChange(const AppendInterval& edit)
{
    const int position = ownType(edit.type).m_records.add(edit.record);
    return {edit, RemoveRecords{edit.type, {{position, edit.record}}}};
}

TrainingDocument::AppliedEdit TrainingDocument::applyChange(const RemoveRecords& edit)
{
    IntervalRecordList& records = ownType(edit.type).m_records;
    std::vector<bool> goes(static_cast<std::size_t>(records.size()), false);
    const auto take = [&](int position, const IntervalRecord& record) {
        if (position < 0 || position >= records.size() || goes[static_cast<std::size_t>(position)] ||
            !(records[position] == record))
            return false;
        goes[static_cast<std::size_t>(position)] = true;
        return true;
    };
    for (const PlacedRecord& wanted : edit.records) {
        if (take(wanted.position, wanted.record))
            continue;
        // Not where it was: the list differs from the one the edit was made on.
        for (int i = 0; i < records.size(); ++i) {
            if (take(i, wanted.record))
                break;
        }
    }
    RemoveRecords removed{edit.type, {}};
    std::vector<int> positions;
    for (int i = 0; i < records.size(); ++i) {
        if (goes[static_cast<std::size_t>(i)]) {
            removed.records.push_back({i, records[i]});
            positions.push_back(i);
        }
    }
    records.removePositions(positions);
    InsertRecords inverse{edit.type, removed.records};
    return {std::move(removed), std::move(inverse)};
}

TrainingDocument::AppliedEdit TrainingDocument::applyChange(const InsertRecords& edit)
{
    IntervalRecordList& records = ownType(edit.type).m_records;
    // Positions that the list cannot have (a journal replayed onto another file) go to the end.
    InsertRecords inserted{edit.type, {}};
    int previous = -1;
    for (const PlacedRecord& put : edit.records) {
        const int limit = records.size() + static_cast<int>(inserted.records.size());
        const int position = std::clamp(put.position, previous + 1, limit);
        inserted.records.push_back({position, put.record});
        previous = position;
    }
    records.insertAtPositions(inserted.records);
    RemoveRecords inverse{edit.type, inserted.records};
    return {std::move(inserted), std::move(inverse)};
}

TrainingDocument::AppliedEdit TrainingDocument::applyChange(const ReplaceSettings& edit)
{
    ReplaceSettings inverse{m_settings};
    m_settings = edit.settings;
    return {edit, std::move(inverse)};
}

TrainingDocument::AppliedEdit TrainingDocument::applyChange(const SetTimeSound& edit)
{
    const SetTimeSound inverse{m_settings.m_timeSound != 0};
    m_settings.m_timeSound = edit.on ? 1 : 0;
    return {edit, inverse};
}

void TrainingDocument::announceEdit(const AppliedEdit& applied)
{
    const auto positionsOf = [](const std::vector<PlacedRecord>& records) {
        std::vector<int> positions;
        positions.reserve(records.size());
        for (const PlacedRecord& placed : records)
            positions.push_back(placed.position);
        return positions;
    };
    if (const auto* appended = std::get_if<AppendInterval>(&applied.effective)) {
        const int position = trainingType(appended->type).m_records.size() - 1;
        announce([&](DocumentListener& listener) { listener.recordsAppended(appended->type, position, 1); });
    } else if (const auto* removed = std::get_if<RemoveRecords>(&applied.effective)) {
        const std::vector<int> positions = positionsOf(removed->records);
        announce([&](DocumentListener& listener) { listener.recordsRemoved(removed->type, positions); });
    } else if (const auto* inserted = std::get_if<InsertRecords>(&applied.effective)) {
        const std::vector<int> positions = positionsOf(inserted->records);
        announce([&](DocumentListener& listener) { listener.recordsInserted(inserted->type, positions); });
    } else {
        // Both settings edits give back the settings as they were before.
        const DocumentSettings* previous = nullptr;
        DocumentSettings beforeTimeSound;
        if (const auto* replaced = std::get_if<ReplaceSettings>(&applied.inverse)) {
            previous = &replaced->settings;
        } else {
            beforeTimeSound = m_settings;
            beforeTimeSound.m_timeSound = std::get<SetTimeSound>(applied.inverse).on ? 1 : 0;
            previous = &beforeTimeSound;
        }
        announce([previous](DocumentListener& listener) { listener.settingsChanged(*previous); });
    }
}

void TrainingDocument::setUpDefaultSettings()
{
    const DocumentSettings previous = m_settings;
    m_settings.setDefaults();
    announce([&previous](DocumentListener& listener) { listener.settingsChanged(previous); });
}

void TrainingDocument::setPathName(const std::string& path)
{
    m_pathName = path;
    const std::size_t slash = path.rfind('/');
    m_title = slash == std::string::npos ? path : path.substr(slash + 1);
}

void TrainingDocument::markLoaded(const std::string& path)
{
    m_modified = false;
    setPathName(path);
    announceReset(DocumentReset::Loaded);
}

void TrainingDocument::markSaved(const std::string& path)
{
    m_modified = false;
    setPathName(path);
    announce([](DocumentListener& listener) { listener.documentSaved(); });
}

void TrainingDocument::addListener(DocumentListener* listener)
{
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) == m_listeners.end())
        m_listeners.push_back(listener);
}

void TrainingDocument::removeListener(DocumentListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void TrainingDocument::announceReset(DocumentReset reason)
{
    announce([reason](DocumentListener& listener) { listener.documentReset(reason); });
}
