#include "app/view_commands.h"

#include "app/interval_import.h"
#include "dialogs/interval_filter_dialog.h"
#include "dialogs/manual_entry_dialog.h"
#include "dialogs/phone_record_dialog.h"
#include "editing/document_editor.h"
#include "evaluation/diagram_print_preview.h"
#include "platform/message_box.h"
#include "practice/main_form.h"
#include "records/training_document.h"

#include <ctime>

namespace {

constexpr TimeSpan kProposedLength = 20;

} // namespace

ViewCommands::ViewCommands(DocumentEditor& editor, MainForm& form) : QObject(&form), m_editor(editor), m_form(form)
{
}

void ViewCommands::restoreDefaults()
{
    if (messageBoxes().askYesNo(&m_form, QStringLiteral("Are you sure you want to restore the default settings?")) !=
        MessageBox::Answer::Yes)
        return;
    m_editor.applyStep(ReplaceSettings{DocumentSettings()}, QStringLiteral("restore default settings"));
    // The form shows the settings as they changed; sounds, list and diagrams are made anew whatever changed.
    m_form.loadSounds(m_editor.document().settings());
    m_form.fillIntervalList();
    m_form.diagrams().refreshDiagrams();
    messageBoxes().showMessage(&m_form, QStringLiteral("Default settings restored"));
}

void ViewCommands::openIntervalFilter()
{
    // List and diagrams keep what they show; the diagrams use the new time at their next refill.
    IntervalFilterDialog dialog(m_editor, m_form.window());
    dialog.exec();
}

void ViewCommands::openManualEntry()
{
    const int type = m_editor.document().currentTypeIndex();
    if (m_form.measuring().isActive() || type < 0)
        return;
    ManualEntryDialog dialog(m_editor, type, &m_form);
    const CalendarTime now = std::time(nullptr);
    dialog.propose("1", now, now + kProposedLength);
    dialog.exec();

    m_editor.document().markModified();
    m_form.fillIntervalList();
    m_form.diagrams().refreshDiagrams();
}

void ViewCommands::openPhoneRecords()
{
    if (m_form.measuring().isActive())
        return;
    m_form.showOnlyLastMeasurement();
    m_form.fillIntervalList();
    {
        const TrainingDocument& document = m_editor.document();
        PhoneRecordDialog dialog(m_editor, document.currentTypeIndex(), document.maxMeasurementNumber() + 1, &m_form);
        dialog.exec();
    }
    m_form.fillIntervalList();
    m_editor.document().markModified();
}

void ViewCommands::importIntervals()
{
    if (!m_form.measuring().isActive())
        importIntervalsInto(m_editor, m_form.window());
}

void ViewCommands::printPreview(QPagedPaintDevice& printer, int previewPages, std::function<void(int)> keepPreviewPages)
{
    showDiagramPrintPreview(printer, previewPages, std::move(keepPreviewPages), m_printout, m_editor.document(),
                            m_editor.notifier(), m_form.window());
}
