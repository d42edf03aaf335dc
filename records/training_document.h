#pragma once

#include "records/document_edit.h"
#include "records/document_listener.h"
#include "records/document_settings.h"
#include "records/edit_target.h"
#include "records/training_type.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class Archive;
class DocumentListener;
class EditJournal;

// One interval block of the file: start, end, uddhacca flag, measurement, run.
void serializeDataEntry(Archive& ar, IntervalRecord& entry);

// The one document of the program: three training types and the settings,
// with the path, title and modified flag of a document framework. Its data
// changes only through apply(), which marks it modified, hands the edit to
// the journal and tells the listeners what changed.
class TrainingDocument : public EditTarget {
public:
    static constexpr int kTrainingTypeCount = 3;
    static const std::array<const char*, kTrainingTypeCount> kDefaultTrainingTypeNames;
    static constexpr const char* kUntitled = "Unbenannt";

    TrainingDocument();
    TrainingDocument(const TrainingDocument&) = delete;
    TrainingDocument& operator=(const TrainingDocument&) = delete;

    // Default names, empty lists, path emptied and the modified flag cleared;
    // settings and the current training type stay. Tells the listeners except
    // on the very first call, which happens before any view is set up.
    bool onNewDocument();

    // Writes or reads the whole document; a reading tells nobody yet (see markLoaded).
    void serialize(Archive& ar);
    // The bytes serialize() stores.
    std::size_t storedSize() const;

    const std::array<TrainingType, kTrainingTypeCount>& trainingTypes() const { return m_trainingTypes; }
    const TrainingType& trainingType(int index) const;
    // The place of one of this document's training types.
    int indexOf(const TrainingType& type) const;
    // The training type that records are added to; none until one is selected.
    const TrainingType* currentTrainingType() const { return m_currentType; }
    // Its place, or -1 when there is none.
    int currentTypeIndex() const;
    // The first training type with exactly this name (byte for byte); none for an empty or unknown name.
    const TrainingType* findTrainingType(const std::string& name) const;
    // Makes the found training type current and returns it; an unknown name keeps the current one.
    // Choosing which list to work on is no edit: the document is not marked modified.
    const TrainingType* selectTrainingType(const std::string& name);
    // Highest measurement number of the current training type; 0 when empty.
    std::uint16_t maxMeasurementNumber() const;
    bool isFirstNew() const { return m_firstNew; }
    const DocumentSettings& settings() const { return m_settings; }

    // Applies the edit: marks the document modified (but for the time sound),
    // hands it to the journal and tells the listeners once. Returns the edit
    // that takes it back exactly.
    DocumentEdit apply(const DocumentEdit& edit);
    // EditTarget: the document keeps no history of its own.
    void applyStep(const DocumentEdit& edit, const std::string& name) override;
    // The user did something to save for, though no data changed.
    void markModified() { m_modified = true; }
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
    // The document was just read from the file at path: not modified, titled
    // after the file. Tells the listeners, which see the new name.
    void markLoaded(const std::string& path);
    // The document now stands in the file at path: not modified, titled after
    // the file. Tells the listeners of the save.
    void markSaved(const std::string& path);

    // The journal keeps the interval being timed against a crash; the document does not change.
    void keepRunningInterval(const AppendInterval& cutOff);
    // The edits applied between these two calls are one step for the journal: recovered all or none.
    void beginStep();
    void endStep();
    // Given every edit that marks the document modified, before the listeners; none to stop.
    void setJournal(EditJournal* journal) { m_journal = journal; }

    void addListener(DocumentListener* listener);
    void removeListener(DocumentListener* listener);
    // Tells the listeners that the whole document may differ.
    void announceReset(DocumentReset reason);

private:
    void serializeSettings(Archive& ar);
    void serializeTrainingType(Archive& ar, TrainingType& type);
    TrainingType& ownType(int index);
    // An edit as it took effect (a removal names only the records it found)
    // and the edit that takes it back.
    struct AppliedEdit {
        DocumentEdit effective;
        DocumentEdit inverse;
    };
    AppliedEdit applyChange(const AppendInterval& edit);
    AppliedEdit applyChange(const RemoveRecords& edit);
    AppliedEdit applyChange(const InsertRecords& edit);
    AppliedEdit applyChange(const ReplaceSettings& edit);
    AppliedEdit applyChange(const SetTimeSound& edit);
    void announceEdit(const AppliedEdit& applied);
    template <typename Announce>
    void announce(Announce&& announcement);

    std::array<TrainingType, kTrainingTypeCount> m_trainingTypes;
    TrainingType* m_currentType = nullptr;
    DocumentSettings m_settings;
    bool m_firstNew = true;

    std::string m_pathName;
    std::string m_title;
    bool m_modified = false;
    std::vector<DocumentListener*> m_listeners;
    EditJournal* m_journal = nullptr;
};
