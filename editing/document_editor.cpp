#include "editing/document_editor.h"

#include "editing/edit_step.h"

DocumentEditor::DocumentEditor(TrainingDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_notifier(document)
{
    // A new or loaded document has no history to go back to.
    connect(&m_notifier, &DocumentNotifier::documentReset, &m_undoStack, &QUndoStack::clear);
}

DocumentEditor::~DocumentEditor() = default;

void DocumentEditor::apply(const DocumentEdit& edit)
{
    m_document.apply(edit);
}

void DocumentEditor::applyStep(const DocumentEdit& edit, const QString& name)
{
    DocumentEdit inverse = m_document.apply(edit);
    if (m_openStep) {
        m_openStep->add(edit, std::move(inverse));
        return;
    }
    auto step = std::make_unique<EditStep>(m_document, name);
    step->add(edit, std::move(inverse));
    m_undoStack.push(step.release());
}

void DocumentEditor::applyStep(const DocumentEdit& edit, const std::string& name)
{
    applyStep(edit, QString::fromStdString(name));
}

void DocumentEditor::confirmSettings(const DocumentSettings& settings, const QString& name)
{
    if (settings == m_document.settings())
        m_document.markModified();
    else
        applyStep(ReplaceSettings{settings}, name);
}

void DocumentEditor::beginStep()
{
    m_openStep = std::make_unique<EditStep>(m_document, QString());
    m_document.beginStep();
}

void DocumentEditor::endStep(const QString& name)
{
    std::unique_ptr<EditStep> step = std::move(m_openStep);
    if (!step)
        return;
    m_document.endStep();
    if (step->isEmpty())
        return;
    step->setText(name);
    m_undoStack.push(step.release());
}
