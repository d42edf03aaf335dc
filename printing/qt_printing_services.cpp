// The printing module: Qt Print Support and Qt Svg behind the program's
// printing services.

#include "printing/printing_services.h"

#include <QAction>
#include <QActionGroup>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSvgGenerator>

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

class QtPrintingServices final : public PrintingServices {
public:
    std::unique_ptr<QPagedPaintDevice> makePrinter() override
    {
        return std::make_unique<QPrinter>(QPrinter::HighResolution);
    }

    void runPrintSetup(QPagedPaintDevice& printer, QWidget* parent) override
    {
        auto* settings = dynamic_cast<QPrinter*>(&printer);
        if (!settings)
            return;
        // Qt's page set-up offers no choice of printer: its print dialog
        // serves as the set-up, and what the user chooses stays in the
        // printer for printing and the preview.
        QPrintDialog dialog(settings, parent);
        dialog.setWindowTitle(QStringLiteral("Druckeinrichtung"));
        dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        dialog.exec();
    }

    QDialog* openPrintPreview(QPagedPaintDevice& printer, int pagesSideBySide,
                              std::function<void(QPagedPaintDevice& printer)> paint, QWidget* parent) override
    {
        auto* settings = dynamic_cast<QPrinter*>(&printer);
        if (!settings)
            return nullptr;
        settings->setPrintRange(QPrinter::AllPages);
        settings->setFromTo(0, 0);
        auto* preview = new QPrintPreviewDialog(settings, parent);
        QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview,
                         [paint = std::move(paint)](QPrinter* target) { paint(*target); });
        if (auto* pages = preview->findChild<QPrintPreviewWidget*>())
            showViewMode(*preview, *pages,
                         pagesSideBySide == 2 ? QPrintPreviewWidget::FacingPagesView
                                              : QPrintPreviewWidget::SinglePageView);
        return preview;
    }

    void updatePrintPreview(QDialog& preview) override
    {
        if (auto* pages = preview.findChild<QPrintPreviewWidget*>())
            pages->updatePreview();
    }

    int pagesSideBySide(const QDialog& preview) override
    {
        const auto* pages = preview.findChild<QPrintPreviewWidget*>();
        if (!pages || pages->viewMode() == QPrintPreviewWidget::AllPagesView)
            return 0;
        return pages->viewMode() == QPrintPreviewWidget::FacingPagesView ? 2 : 1;
    }

    std::unique_ptr<QPaintDevice> makeSvgWriter(const QString& path, QSize size, const QString& title) override
    {
        auto svg = std::make_unique<QSvgGenerator>();
        svg->setFileName(path);
        svg->setSize(size);
        svg->setViewBox(QRect(QPoint(), size));
        svg->setTitle(title);
        return svg;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT PrintingServices* jhavariPrintingServices()
{
    static QtPrintingServices services;
    return &services;
}
