#pragma once

#include <vector>

class DocumentSettings;

// Why the whole document may differ.
enum class DocumentReset { NewDocument, Loaded };

// Anything that follows the document's changes: told once per applied edit
// what changed, after the change. Training types are named by their place.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;

    // A new document or a load: everything may differ.
    virtual void documentReset(DocumentReset /*reason*/) { }
    // The document was written to its file: only its path and title may differ.
    virtual void documentSaved() { }
    // Records first .. first + count - 1 of the type were appended.
    virtual void recordsAppended(int /*type*/, int /*first*/, int /*count*/) { }
    // The records at these positions (ascending, as they stood before) were removed.
    virtual void recordsRemoved(int /*type*/, const std::vector<int>& /*positions*/) { }
    // Records were put in at these positions (ascending, as they stand now).
    virtual void recordsInserted(int /*type*/, const std::vector<int>& /*positions*/) { }
    virtual void settingsChanged(const DocumentSettings& /*previous*/) { }
    // Another training type became the one that records are added to.
    virtual void currentTypeChanged() { }
};
