#pragma once

#include "records/document_settings.h"
#include "records/training_type.h"

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

class Archive;
class EditRecorder;

// One interval block of the file: start, end, uddhacca flag, measurement, run.
void serializeDataEntry(Archive& ar, IntervalRecord& entry);

// Anything that shows the document and must follow its changes.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    // The whole document may differ: a new document, a load or a save.
    virtual void documentChanged() = 0;
    // One edit through the document's operations. The view that made it has
    // already shown it, so the default does nothing.
    virtual void documentEdited() { }
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

    const std::array<TrainingType, kTrainingTypeCount>& trainingTypes() const { return m_trainingTypes; }
    // The training type that records are added to; none until one is selected.
    const TrainingType* currentTrainingType() const { return m_currentType; }
    // The first training type with exactly this name (byte for byte); none for an empty or unknown name.
    const TrainingType* findTrainingType(const std::string& name) const;
    // Makes the found training type current and returns it; an unknown name keeps the current one.
    // Choosing which list to work on is no edit: the document is not marked modified.
    const TrainingType* selectTrainingType(const std::string& name);
    // Highest measurement number of the current training type; 0 when empty.
    std::uint16_t maxMeasurementNumber() const;
    bool isFirstNew() const { return m_firstNew; }

    // Every edit below marks the document modified and tells the observers once.
    void appendInterval(const TrainingType& type, const IntervalRecord& record);
    // Removes every record of the type that starts in one of these seconds.
    void removeIntervalsStartingAt(const TrainingType& type, const std::unordered_set<CalendarTime>& starts);
    // Removes exactly the records at these positions of the type; other records that
    // start in the same second stay. A position outside the list is a programming error.
    void removeRecords(const TrainingType& type, std::vector<int> positions);
    // An edit of the view that the user is asked to save for, though no data changed.
    void markEdited();

    const DocumentSettings& settings() const { return m_settings; }
    void setTrainingTypeName(const std::string& name);
    void setFixedExerciseTime(bool on);
    void setFixedDuration(CalendarTime duration);
    void setAutoUddhaccaAlarm(bool on);
    void setAlarmInterval(CalendarTime interval);
    void setFilterTime(CalendarTime filter);
    void setWaveVolume(std::int32_t position);
    void setMainVolume(std::int32_t position);
    void setSoundFile(SoundEvent event, const std::string& path);
    void setSoundFiles(const std::array<std::string, kSoundEventCount>& paths);
    void restoreDefaultSettings();
    // All settings at once, as a journal of unsaved changes gives them back.
    void replaceSettings(const DocumentSettings& settings);
    // Not marked modified: the time sound is a habit, not part of the record.
    void setTimeSound(bool on);
    // The defaults of the view's first set-up: not marked modified, as the user changed nothing.
    void setUpDefaultSettings();

    bool isModified() const { return m_modified; }
    // For the document framework only: a load, save or new document sets the flag as the file stands.
    void setModified(bool modified = true) { m_modified = modified; }
    const std::string& pathName() const { return m_pathName; }
    void setPathName(const std::string& path);
    void clearPathName() { m_pathName.clear(); }
    const std::string& title() const { return m_title; }
    void setTitle(const std::string& title) { m_title = title; }

    // Told of every edit of the data before the observers; none to stop telling.
    void setEditRecorder(EditRecorder* recorder) { m_recorder = recorder; }

    void addObserver(DocumentObserver* view);
    void removeObserver(DocumentObserver* view);
    // Tells the observers that the whole document may differ.
    void notifyObservers();

private:
    void serializeSettings(Archive& ar);
    void serializeTrainingType(Archive& ar, TrainingType& type);
    TrainingType& own(const TrainingType& type);
    // The one place where an edit marks the document modified and reaches the observers.
    void changed(bool marksModified = true);
    void settingsChanged();
    int indexOf(const TrainingType& type) const;

    std::array<TrainingType, kTrainingTypeCount> m_trainingTypes;
    TrainingType* m_currentType = nullptr;
    DocumentSettings m_settings;
    bool m_firstNew = true;

    std::string m_pathName;
    std::string m_title;
    bool m_modified = false;
    std::vector<DocumentObserver*> m_views;
    EditRecorder* m_recorder = nullptr;
};
