#include "evaluation/diagram_print_preview.h"

#include "editing/document_notifier.h"
#include "evaluation/diagram_print_job.h"
#include "records/training_document.h"

#include <QAction>
#include <QActionGroup>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {

const QString kPreviewName = QStringLiteral("PrintPreview");

// Sets the preview's view mode through the dialog's own tool bar action, so
// that its check mark shows the mode too. The action is the one of an
// exclusive group that leads to the mode; without one the widget alone is set.
void showViewMode(QPrintPreviewDialog& dialog, QPrintPreviewWidget& pages, QPrintPreviewWidget::ViewMode mode)
{
    for (QActionGroup* group : dialog.findChildren<QActionGroup*>()) {
        for (QAction* action : group->actions()) {
            if (!action->isCheckable())
                continue;
            action->trigger();
            if (pages.viewMode() == mode)
                return;
        }
    }
    pages.setViewMode(mode);
}

} // namespace

void showDiagramPrintPreview(QPrinter& printer, int previewPages, std::function<void(int)> keepPreviewPages,
                             DiagramPrintJob& printout, const TrainingDocument& document, DocumentNotifier& notifier,
                             QWidget* parent)
{
    if (auto* open =
            parent ? parent->findChild<QPrintPreviewDialog*>(kPreviewName, Qt::FindDirectChildrenOnly) : nullptr) {
        open->raise();
        open->activateWindow();
        return;
    }
    // The document has pages 1 to 4 for every job: a page range chosen for an
    // earlier print is not kept.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    auto* preview = new QPrintPreviewDialog(&printer, parent);
    preview->setObjectName(kPreviewName);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->setWindowModality(Qt::NonModal);
    QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview, [&printout, &document](QPrinter* target) {
        static const TrainingType kNoType;
        const TrainingType* type = document.currentTrainingType();
        printout.print(*target, type ? *type : kNoType, document.settings(), document.title());
    });
    auto* pages = preview->findChild<QPrintPreviewWidget*>();
    if (!pages) {
        preview->show();
        return;
    }
    // The main window stays usable: the pages follow what it changes, so that print prints what is shown.
    QObject::connect(&notifier, &DocumentNotifier::documentReset, pages, &QPrintPreviewWidget::updatePreview);
    QObject::connect(&notifier, &DocumentNotifier::currentTypeChanged, pages, &QPrintPreviewWidget::updatePreview);
    QObject::connect(&notifier, &DocumentNotifier::recordsAppended, pages, &QPrintPreviewWidget::updatePreview);
    QObject::connect(&notifier, &DocumentNotifier::recordsRemoved, pages, &QPrintPreviewWidget::updatePreview);
    QObject::connect(&notifier, &DocumentNotifier::recordsInserted, pages, &QPrintPreviewWidget::updatePreview);
    // Of the settings, only the filter time reaches the pages.
    QObject::connect(&notifier, &DocumentNotifier::settingsChanged, pages,
                     [pages, &document](const DocumentSettings& previous) {
                         if (previous.m_timeFilter != document.settings().m_timeFilter)
                             pages->updatePreview();
                     });
    showViewMode(*preview, *pages,
                 previewPages == 2 ? QPrintPreviewWidget::FacingPagesView : QPrintPreviewWidget::SinglePageView);
    // The overview of all pages is not kept: the next preview keeps the last one- or two-page choice.
    QObject::connect(preview, &QDialog::finished, preview, [pages, keep = std::move(keepPreviewPages)] {
        if (pages->viewMode() == QPrintPreviewWidget::SinglePageView)
            keep(1);
        else if (pages->viewMode() == QPrintPreviewWidget::FacingPagesView)
            keep(2);
    });
    preview->show();
}
