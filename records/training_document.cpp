#include "records/training_document.h"

#include "records/archive.h"
#include "records/document_error.h"

#include <algorithm>

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
        notifyObservers(0);
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
    notifyObservers(0);
}

void TrainingDocument::serializeSettings(Archive& ar)
{
    DocumentSettings& s = m_settings;
    ar.serialize(s.m_trainingType);
    ar.serialize(s.m_fixedExerciseTime);
    ar.serializeTime(s.m_timeFixedDuration);
    ar.serialize(s.m_autoUddhaccaAlarm);
    ar.serializeTime(s.m_timeAlarmInterval);
    ar.serializeTime(s.m_timeFilter);
    ar.serialize(s.m_waveVolume);
    ar.serialize(s.m_mainVolume);
    ar.serialize(s.m_timeSound);
    for (std::string& path : s.m_soundFiles)
        ar.serialize(path);
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

TrainingType* TrainingDocument::findTrainingType(const std::string& name)
{
    if (name.empty())
        return nullptr;
    for (TrainingType& type : m_trainingTypes) {
        if (type.m_name == name) {
            m_currentType = &type;
            return &type;
        }
    }
    return nullptr;
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

void TrainingDocument::notifyObservers(int hint)
{
    const std::vector<DocumentObserver*> views = m_views; // a view may detach itself while notified
    for (DocumentObserver* view : views)
        view->documentChanged(hint);
}
