#pragma once

#include "records/document_edit.h"

#include <QUndoCommand>

#include <vector>

class TrainingDocument;

// One step of the undo history: edits that were applied, in order, each with
// the edit that takes it back. Undo and redo apply them like any other edit,
// so they mark the document modified and reach the journal.
class EditStep : public QUndoCommand {
public:
    EditStep(TrainingDocument& document, const QString& name);

    // An edit already applied and the edit that undoes it.
    void add(DocumentEdit edit, DocumentEdit inverse);
    bool isEmpty() const { return m_changes.empty(); }

    void undo() override;
    // The first redo, when the step is pushed, does nothing: its edits are applied already.
    void redo() override;

private:
    struct Change {
        DocumentEdit edit;
        DocumentEdit inverse;
    };
    // A settings edit carries only the fields its step changed onto the
    // settings as they are now, so that undoing the filter keeps a later
    // change of another setting.
    DocumentEdit onCurrentSettings(const DocumentEdit& wanted, const DocumentEdit& counterpart) const;

    TrainingDocument& m_document;
    std::vector<Change> m_changes;
    bool m_pushed = false;
};
