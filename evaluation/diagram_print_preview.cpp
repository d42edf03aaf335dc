#include "evaluation/diagram_print_preview.h"

#include "editing/document_notifier.h"
#include "evaluation/diagram_print_job.h"
#include "printing/printing_services.h"
#include "records/training_document.h"

#include <QDialog>

namespace {

const QString kPreviewName = QStringLiteral("PrintPreview");

} // namespace

void showDiagramPrintPreview(QPagedPaintDevice& printer, int previewPages, std::function<void(int)> keepPreviewPages,
                             DiagramPrintJob& printout, const TrainingDocument& document, DocumentNotifier& notifier,
                             QWidget* parent)
{
    if (auto* open = parent ? parent->findChild<QDialog*>(kPreviewName, Qt::FindDirectChildrenOnly) : nullptr) {
        open->raise();
        open->activateWindow();
        return;
    }
    PrintingServices* printing = printingServicesOrSayWhy(parent);
    if (!printing)
        return;
    const auto paint = [&printout, &document](QPagedPaintDevice& target) {
        static const TrainingType kNoType;
        const TrainingType* type = document.currentTrainingType();
        printout.print(target, type ? *type : kNoType, document.settings(), document.title());
    };
    QDialog* preview = printing->openPrintPreview(printer, previewPages == 2 ? 2 : 1, paint, parent);
    if (!preview)
        return;
    preview->setObjectName(kPreviewName);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowModality(Qt::NonModal);
    // The main window stays usable: the pages follow what it changes, so that print prints what is shown.
    const auto update = [printing, preview] { printing->updatePrintPreview(*preview); };
    QObject::connect(&notifier, &DocumentNotifier::documentReset, preview, update);
    // The pages carry the file's name.
    QObject::connect(&notifier, &DocumentNotifier::documentSaved, preview, update);
    QObject::connect(&notifier, &DocumentNotifier::currentTypeChanged, preview, update);
    QObject::connect(&notifier, &DocumentNotifier::recordsAppended, preview, update);
    QObject::connect(&notifier, &DocumentNotifier::recordsRemoved, preview, update);
    QObject::connect(&notifier, &DocumentNotifier::recordsInserted, preview, update);
    // Of the settings, only the filter time reaches the pages.
    QObject::connect(&notifier, &DocumentNotifier::settingsChanged, preview,
                     [update, &document](const DocumentSettings& previous) {
                         if (previous.m_timeFilter != document.settings().m_timeFilter)
                             update();
                     });
    // The overview of all pages is not kept: the next preview keeps the last one- or two-page choice.
    QObject::connect(preview, &QDialog::finished, preview, [printing, preview, keep = std::move(keepPreviewPages)] {
        if (const int pages = printing->pagesSideBySide(*preview))
            keep(pages);
    });
    preview->show();
}
