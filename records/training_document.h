#pragma once

#include "records/document_settings.h"
#include "records/training_type.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Archive;

// One interval block of the file: start, end, uddhacca flag, measurement, run.
void serializeDataEntry(Archive& ar, IntervalRecord& entry);

// Anything that shows the document and must follow its changes.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void documentChanged(int hint) = 0;
};

// The one document of the program: three training types and the settings,
// with the path, title and modified flag of a document framework.
class TrainingDocument {
public:
    static constexpr int kTrainingTypeCount = 3;
    static const std::array<const char*, kTrainingTypeCount> kDefaultTrainingTypeNames;
    static constexpr const char* kUntitled = "Unbenannt";

    TrainingDocument();
    virtual ~TrainingDocument() = default;
    TrainingDocument(const TrainingDocument&) = delete;
    TrainingDocument& operator=(const TrainingDocument&) = delete;

    // Default names, empty lists, path emptied and the modified flag cleared;
    // settings and the current training type stay. Notifies the views except
    // on the very first call, which happens before any view is set up.
    bool onNewDocument();

    // Writes or reads the whole document, then notifies the views.
    void serialize(Archive& ar);

    // Makes the training type with exactly this name (byte for byte) current.
    TrainingType* findTrainingType(const std::string& name);
    // Highest measurement number of the current training type; 0 when empty.
    std::uint16_t maxMeasurementNumber() const;

    bool isModified() const { return m_modified; }
    void setModified(bool modified = true) { m_modified = modified; }
    const std::string& pathName() const { return m_pathName; }
    void setPathName(const std::string& path);
    void clearPathName() { m_pathName.clear(); }
    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title) { m_title = title; }

    void addObserver(DocumentObserver* view);
    void removeObserver(DocumentObserver* view);
    void notifyObservers(int hint = 0);

    std::array<TrainingType, kTrainingTypeCount> m_trainingTypes;
    TrainingType* m_currentType = nullptr;
    DocumentSettings m_settings;
    bool m_firstNew = true;

private:
    void serializeSettings(Archive& ar);
    void serializeTrainingType(Archive& ar, TrainingType& type);

    std::string m_pathName;
    std::string m_title;
    bool m_modified = false;
    std::vector<DocumentObserver*> m_views;
};
