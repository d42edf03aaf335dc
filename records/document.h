#pragma once

#include "doc_settings.h"
#include "training_type.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CArchive;

// One interval block of the file: start, end, uddhacca flag, measurement, run.
void SerializeDataEntry(CArchive& ar, CDataEntry& entry);

// Anything that shows the document and must follow its changes.
class CDocumentView {
public:
    virtual ~CDocumentView() = default;
    virtual void OnDocumentUpdate(int hint) = 0;
};

// The one document of the program: three training types and the settings,
// with the path, title and modified flag of a document framework.
class CVersenkwerkDoc {
public:
    static constexpr int kTrainingTypeCount = 3;
    static const std::array<const char*, kTrainingTypeCount> kDefaultTrainingTypeNames;
    static constexpr const char* kUntitled = "Unbenannt";

    CVersenkwerkDoc();
    virtual ~CVersenkwerkDoc() = default;
    CVersenkwerkDoc(const CVersenkwerkDoc&) = delete;
    CVersenkwerkDoc& operator=(const CVersenkwerkDoc&) = delete;

    // Default names, empty lists, path emptied and the modified flag cleared;
    // settings and the current training type stay. Notifies the views except
    // on the very first call, which happens before any view is set up.
    bool OnNewDocument();

    // Writes or reads the whole document, then notifies the views.
    void Serialize(CArchive& ar);

    // Makes the training type with exactly this name (byte for byte) current.
    TrainingType* FindTrainingType(const std::string& name);
    // Highest measurement number of the current training type; 0 when empty.
    std::uint16_t GetMaxMeasurementNumber() const;

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true) { m_bModified = modified; }
    const std::string& GetPathName() const { return m_strPathName; }
    void SetPathName(const std::string& path);
    void ClearPathName() { m_strPathName.clear(); }
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }

    void AddView(CDocumentView* view);
    void RemoveView(CDocumentView* view);
    void UpdateAllViews(int hint = 0);

    std::array<TrainingType, kTrainingTypeCount> m_aTrainingTypes;
    TrainingType* m_pCurrentType = nullptr;
    DocSettings m_settings;
    bool m_bFirstNew = true;

private:
    void SerializeSettings(CArchive& ar);
    void SerializeTrainingType(CArchive& ar, TrainingType& type);

    std::string m_strPathName;
    std::string m_strTitle;
    bool m_bModified = false;
    std::vector<CDocumentView*> m_views;
};
