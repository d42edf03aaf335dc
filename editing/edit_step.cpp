#include "editing/edit_step.h"

#include "records/training_document.h"

EditStep::EditStep(TrainingDocument& document, const QString& name) : QUndoCommand(name), m_document(document)
{
}

void EditStep::add(DocumentEdit edit, DocumentEdit inverse)
{
    m_changes.push_back({std::move(edit), std::move(inverse)});
}

void EditStep::undo()
{
    // A crash halfway brings back none of it.
    m_document.beginStep();
    for (auto change = m_changes.rbegin(); change != m_changes.rend(); ++change)
        m_document.apply(onCurrentSettings(change->inverse, change->edit));
    m_document.endStep();
}

void EditStep::redo()
{
    if (!m_pushed) {
        m_pushed = true;
        return;
    }
    m_document.beginStep();
    for (const Change& change : m_changes)
        m_document.apply(onCurrentSettings(change.edit, change.inverse));
    m_document.endStep();
}

DocumentEdit EditStep::onCurrentSettings(const DocumentEdit& wanted, const DocumentEdit& counterpart) const
{
    const auto* to = std::get_if<ReplaceSettings>(&wanted);
    const auto* from = std::get_if<ReplaceSettings>(&counterpart);
    if (!to || !from)
        return wanted;
    return ReplaceSettings{m_document.settings().withChanges(from->settings, to->settings)};
}
