#include "records/training_document.h"

#include "records/archive.h"
#include "records/document_error.h"
#include "records/edit_recorder.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>

namespace {

// An interval block is never shorter than with both times in their 4-byte form.
constexpr std::size_t kMinEntryBytes = 4 + 4 + 4 + 2 + 2;

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
    constexpr std::uint32_t kTimeMarker = 0x8000000Au;
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

} // namespace

void serializeDataEntry(Archive& ar, IntervalRecord& entry)
{
    if (ar.isLoading() && loadLongFormEntry(ar, entry))
        return;
    ar.serializeTime(entry.m_timeStart);
    ar.serializeTime(entry.m_timeEnd);
    ar.serialize(entry.m_uddhacca);
    ar.serialize(entry.m_measurement);
    ar.serialize(entry.m_run);
}

TrainingDocument::TrainingDocument() = default;

bool TrainingDocument::onNewDocument()
{
    m_pathName.clear();
    m_modified = false;
    for (int i = 0; i < kTrainingTypeCount; ++i) {
        m_trainingTypes[static_cast<std::size_t>(i)].m_name = kDefaultTrainingTypeNames[static_cast<std::size_t>(i)];
        m_trainingTypes[static_cast<std::size_t>(i)].m_records.removeAll();
    }
    if (m_firstNew)
        m_firstNew = false;
    else
        notifyObservers();
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
    notifyObservers();
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
        for (const IntervalRecord& stored : type.m_records) {
            IntervalRecord entry = stored;
            serializeDataEntry(ar, entry);
        }
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
    if (found)
        m_currentType = &own(*found);
    return found;
}

TrainingType& TrainingDocument::own(const TrainingType& type)
{
    for (TrainingType& candidate : m_trainingTypes) {
        if (&candidate == &type)
            return candidate;
    }
    throw std::invalid_argument("training type of another document");
}

void TrainingDocument::appendInterval(const TrainingType& type, const IntervalRecord& record)
{
    own(type).m_records.add(record);
    if (m_recorder)
        m_recorder->intervalAppended(indexOf(type), record);
    changed();
}

void TrainingDocument::removeIntervalsStartingAt(const TrainingType& type,
                                                 const std::unordered_set<CalendarTime>& starts)
{
    IntervalRecordList& records = own(type).m_records;
    IntervalRecordList kept;
    kept.reserve(static_cast<std::size_t>(records.size()));
    for (const IntervalRecord& record : records) {
        if (!starts.count(record.m_timeStart))
            kept.add(record);
    }
    records = std::move(kept);
    if (m_recorder)
        m_recorder->intervalsRemoved(indexOf(type), starts);
    changed();
}

void TrainingDocument::removeRecords(const TrainingType& type, std::vector<int> positions)
{
    IntervalRecordList& records = own(type).m_records;
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (!positions.empty() && (positions.front() < 0 || positions.back() >= records.size()))
        throw std::invalid_argument("record position outside the training type");
    // From the back, so that the positions still to go stay valid.
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        records.removeAt(*it);
    if (m_recorder)
        m_recorder->recordsRemoved(indexOf(type), positions);
    changed();
}

void TrainingDocument::markEdited()
{
    changed();
}

void TrainingDocument::setTrainingTypeName(const std::string& name)
{
    m_settings.m_trainingType = name;
    settingsChanged();
}

void TrainingDocument::setFixedExerciseTime(bool on)
{
    m_settings.m_fixedExerciseTime = on ? 1 : 0;
    settingsChanged();
}

void TrainingDocument::setFixedDuration(CalendarTime duration)
{
    m_settings.m_timeFixedDuration = duration;
    settingsChanged();
}

void TrainingDocument::setAutoUddhaccaAlarm(bool on)
{
    m_settings.m_autoUddhaccaAlarm = on ? 1 : 0;
    settingsChanged();
}

void TrainingDocument::setAlarmInterval(CalendarTime interval)
{
    m_settings.m_timeAlarmInterval = interval;
    settingsChanged();
}

void TrainingDocument::setFilterTime(CalendarTime filter)
{
    m_settings.m_timeFilter = filter;
    settingsChanged();
}

void TrainingDocument::setWaveVolume(std::int32_t position)
{
    m_settings.m_waveVolume = position;
    settingsChanged();
}

void TrainingDocument::setMainVolume(std::int32_t position)
{
    m_settings.m_mainVolume = position;
    settingsChanged();
}

void TrainingDocument::setSoundFile(SoundEvent event, const std::string& path)
{
    m_settings.m_soundFiles.at(static_cast<std::size_t>(event)) = path;
    settingsChanged();
}

void TrainingDocument::setSoundFiles(const std::array<std::string, kSoundEventCount>& paths)
{
    m_settings.m_soundFiles = paths;
    settingsChanged();
}

void TrainingDocument::restoreDefaultSettings()
{
    m_settings.setDefaults();
    settingsChanged();
}

void TrainingDocument::replaceSettings(const DocumentSettings& settings)
{
    m_settings = settings;
    settingsChanged();
}

void TrainingDocument::setTimeSound(bool on)
{
    m_settings.m_timeSound = on ? 1 : 0;
    changed(false);
}

void TrainingDocument::setUpDefaultSettings()
{
    m_settings.setDefaults();
    changed(false);
}

void TrainingDocument::changed(bool marksModified)
{
    if (marksModified)
        m_modified = true;
    const std::vector<DocumentObserver*> views = m_views; // a view may detach itself while notified
    for (DocumentObserver* view : views)
        view->documentEdited();
}

void TrainingDocument::settingsChanged()
{
    if (m_recorder)
        m_recorder->settingsChanged(m_settings);
    changed();
}

int TrainingDocument::indexOf(const TrainingType& type) const
{
    return static_cast<int>(&type - m_trainingTypes.data());
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

void TrainingDocument::setPathName(const std::string& path)
{
    m_pathName = path;
    const std::size_t slash = path.rfind('/');
    m_title = slash == std::string::npos ? path : path.substr(slash + 1);
}

void TrainingDocument::addObserver(DocumentObserver* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void TrainingDocument::removeObserver(DocumentObserver* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void TrainingDocument::notifyObservers()
{
    const std::vector<DocumentObserver*> views = m_views; // a view may detach itself while notified
    for (DocumentObserver* view : views)
        view->documentChanged();
}
