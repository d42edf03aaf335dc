#include "document.h"

#include "archive.h"
#include "document_error.h"

#include <algorithm>

namespace {

// An interval block is never shorter than with both times in their 4-byte form.
constexpr std::size_t kMinEntryBytes = 4 + 4 + 4 + 2 + 2;

} // namespace

const std::array<const char*, CVersenkwerkDoc::kTrainingTypeCount> CVersenkwerkDoc::kDefaultTrainingTypeNames = {
    "Apana Jhavari (Samatha Bhavana)",
    "Kanika Jhavari (Vipassana Bhavana)",
    "Apana Jhavari (Metta Bhavana)",
};

namespace {

std::uint32_t Dword(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Reads a block whose times are both in the long form at once: by far the
// commonest case, and a million records should load at nearly disk speed.
bool LoadLongFormEntry(CArchive& ar, CDataEntry& entry)
{
    constexpr std::uint32_t kTimeMarker = 0x8000000Au;
    const std::uint8_t* p = ar.Peek(32);
    if (!p || Dword(p) != kTimeMarker || Dword(p + 12) != kTimeMarker)
        return false;
    entry.m_timeStart = static_cast<CalendarTime>(Dword(p + 4) | (static_cast<std::uint64_t>(Dword(p + 8)) << 32));
    entry.m_timeEnd = static_cast<CalendarTime>(Dword(p + 16) | (static_cast<std::uint64_t>(Dword(p + 20)) << 32));
    entry.m_bUddhacca = static_cast<std::int32_t>(Dword(p + 24));
    entry.m_nMeasurement = static_cast<std::uint16_t>(p[28] | (p[29] << 8));
    entry.m_nRun = static_cast<std::uint16_t>(p[30] | (p[31] << 8));
    ar.Skip(32);
    return true;
}

} // namespace

void SerializeDataEntry(CArchive& ar, CDataEntry& entry)
{
    if (ar.IsLoading() && LoadLongFormEntry(ar, entry))
        return;
    ar.SerializeTime(entry.m_timeStart);
    ar.SerializeTime(entry.m_timeEnd);
    ar.Serialize(entry.m_bUddhacca);
    ar.Serialize(entry.m_nMeasurement);
    ar.Serialize(entry.m_nRun);
}

CVersenkwerkDoc::CVersenkwerkDoc() = default;

bool CVersenkwerkDoc::OnNewDocument()
{
    m_strPathName.clear();
    m_bModified = false;
    for (int i = 0; i < kTrainingTypeCount; ++i) {
        m_aTrainingTypes[static_cast<std::size_t>(i)].m_strName = kDefaultTrainingTypeNames[static_cast<std::size_t>(i)];
        m_aTrainingTypes[static_cast<std::size_t>(i)].m_aEntries.RemoveAll();
    }
    if (m_bFirstNew)
        m_bFirstNew = false;
    else
        UpdateAllViews(0);
    return true;
}

void CVersenkwerkDoc::Serialize(CArchive& ar)
{
    std::string magic = "con";
    ar.Serialize(magic);
    if (ar.IsLoading() && magic != "con")
        throw CDocumentError(CDocumentError::Cause::DefectiveMagic);
    if (ar.IsStoring() && m_pCurrentType)
        m_settings.m_strTrainingType = m_pCurrentType->m_strName;
    SerializeSettings(ar);
    for (TrainingType& type : m_aTrainingTypes)
        SerializeTrainingType(ar, type);
    UpdateAllViews(0);
}

void CVersenkwerkDoc::SerializeSettings(CArchive& ar)
{
    DocSettings& s = m_settings;
    ar.Serialize(s.m_strTrainingType);
    ar.Serialize(s.m_bFixedExerciseTime);
    ar.SerializeTime(s.m_timeFixedDuration);
    ar.Serialize(s.m_bAutoUddhaccaAlarm);
    ar.SerializeTime(s.m_timeAlarmInterval);
    ar.SerializeTime(s.m_timeFilter);
    ar.Serialize(s.m_nWaveVolume);
    ar.Serialize(s.m_nMainVolume);
    ar.Serialize(s.m_bTimeSound);
    for (std::string& path : s.m_strSoundFile)
        ar.Serialize(path);
}

void CVersenkwerkDoc::SerializeTrainingType(CArchive& ar, TrainingType& type)
{
    ar.Serialize(type.m_strName);
    if (ar.IsStoring()) {
        std::int32_t count = type.m_aEntries.GetSize();
        ar.Serialize(count);
        for (const CDataEntry& stored : type.m_aEntries) {
            CDataEntry entry = stored;
            SerializeDataEntry(ar, entry);
        }
        return;
    }
    type.m_aEntries.RemoveAll();
    std::int32_t count = 0;
    ar.Serialize(count);
    // A count the rest of the file cannot hold would otherwise make us
    // reserve memory the file never fills.
    ar.RequireRemaining(count, kMinEntryBytes);
    if (count > 0)
        type.m_aEntries.Reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        CDataEntry entry;
        SerializeDataEntry(ar, entry);
        type.m_aEntries.Add(entry);
    }
}

TrainingType* CVersenkwerkDoc::FindTrainingType(const std::string& name)
{
    if (name.empty())
        return nullptr;
    for (TrainingType& type : m_aTrainingTypes) {
        if (type.m_strName == name) {
            m_pCurrentType = &type;
            return &type;
        }
    }
    return nullptr;
}

std::uint16_t CVersenkwerkDoc::GetMaxMeasurementNumber() const
{
    std::uint16_t highest = 0;
    if (!m_pCurrentType)
        return highest;
    for (const CDataEntry& entry : m_pCurrentType->m_aEntries)
        highest = std::max(highest, entry.m_nMeasurement);
    return highest;
}

void CVersenkwerkDoc::SetPathName(const std::string& path)
{
    m_strPathName = path;
    const std::size_t slash = path.rfind('/');
    m_strTitle = slash == std::string::npos ? path : path.substr(slash + 1);
}

void CVersenkwerkDoc::AddView(CDocumentView* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CVersenkwerkDoc::RemoveView(CDocumentView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void CVersenkwerkDoc::UpdateAllViews(int hint)
{
    const std::vector<CDocumentView*> views = m_views; // a view may detach itself while notified
    for (CDocumentView* view : views)
        view->OnDocumentUpdate(hint);
}
