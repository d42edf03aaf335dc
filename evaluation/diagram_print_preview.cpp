#include "evaluation/diagram_print_preview.h"

#include "evaluation/diagram_print_job.h"

#include <QAction>
#include <QActionGroup>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

namespace {

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

void showDiagramPrintPreview(QPrinter& printer, int& previewPages, DiagramPrintJob& printout, const TrainingType& type,
                             const DocumentSettings& settings, const std::string& documentTitle, QWidget* parent)
{
    // The document has pages 1 to 4 for every job: a page range chosen for an
    // earlier print is not kept.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) { printout.print(*target, type, settings, documentTitle); });
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    if (pages)
        showViewMode(preview, *pages,
                     previewPages == 2 ? QPrintPreviewWidget::FacingPagesView : QPrintPreviewWidget::SinglePageView);
    preview.exec();
    if (!pages)
        return;
    // The overview of all pages is not kept: the next preview keeps the last one- or two-page choice.
    if (pages->viewMode() == QPrintPreviewWidget::SinglePageView)
        previewPages = 1;
    else if (pages->viewMode() == QPrintPreviewWidget::FacingPagesView)
        previewPages = 2;
}
