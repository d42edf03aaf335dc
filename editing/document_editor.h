#pragma once

#include "editing/document_notifier.h"
#include "records/edit_target.h"
#include "records/training_document.h"

#include <QObject>
#include <QUndoStack>

#include <memory>
#include <utility>

class EditStep;

// The program's way to change its document: every user edit is applied
// through here, as a step of the undo history or, for the form's settings
// controls, outside it. It also carries the document's announcements.
class DocumentEditor : public QObject, public EditTarget {
    Q_OBJECT
public:
    explicit DocumentEditor(TrainingDocument& document, QObject* parent = nullptr);
    ~DocumentEditor() override;

    const TrainingDocument& document() const { return m_document; }
    // For what is no edit: choosing the training type to work on, marking the document modified.
    TrainingDocument& document() { return m_document; }
    DocumentNotifier& notifier() { return m_notifier; }
    QUndoStack& undoStack() { return m_undoStack; }

    // Applies the edit without a step of its own: a change of the settings
    // controls, which the user undoes by changing them back.
    void apply(const DocumentEdit& edit);
    // Applies the edit as one step named for the user ("delete 3 intervals").
    void applyStep(const DocumentEdit& edit, const QString& name);
    void applyStep(const DocumentEdit& edit, const std::string& name) override;
    // Settings confirmed with OK: one step named for the user where they
    // differ from the document's, else only the mark of a change, as OK
    // counts as one even when nothing changed.
    void confirmSettings(const DocumentSettings& settings, const QString& name);
    // Edits applied as steps between these two calls become one step, named
    // at its end; a step without edits is left out.
    void beginStep();
    void endStep(const QString& name);
    // The settings with one change made (`change` gets a copy to change),
    // applied outside the undo history.
    template <typename Change>
    void changeSettings(Change&& change)
    {
        apply(changedSettings(document().settings(), std::forward<Change>(change)));
    }

private:
    TrainingDocument& m_document;
    DocumentNotifier m_notifier;
    QUndoStack m_undoStack;
    std::unique_ptr<EditStep> m_openStep;
};
