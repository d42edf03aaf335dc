#include "evaluation/diagram_print_preview.h"

#include "evaluation/diagram_print_job.h"

#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

void showDiagramPrintPreview(QPrinter& printer, int& previewPages, DiagramPrintJob& printout, const TrainingType& type,
                             const DocumentSettings& settings, const std::string& documentTitle, QWidget* parent)
{
    // The document has pages 1 to 4 for every job: a page range chosen for an
    // earlier print is not kept.
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintPreviewDialog preview(&printer, parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* target) {
        printout.print(*target, type, settings, documentTitle);
    });
    // The dialog's tool bar sets the view mode of its one preview widget.
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    if (pages)
        pages->setViewMode(previewPages == 2 ? QPrintPreviewWidget::FacingPagesView
                                             : QPrintPreviewWidget::SinglePageView);
    preview.exec();
    if (!pages)
        return;
    // The overview of all pages is not kept: the next preview keeps the last one- or two-page choice.
    if (pages->viewMode() == QPrintPreviewWidget::SinglePageView)
        previewPages = 1;
    else if (pages->viewMode() == QPrintPreviewWidget::FacingPagesView)
        previewPages = 2;
}
