#include "evaluation/diagram_image.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

namespace {

constexpr int kPointsPerInch = 72;

bool saveSvg(QWidget& widget, const QString& path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(widget.size());
    svg.setViewBox(QRect(QPoint(0, 0), widget.size()));
    svg.setTitle(widget.windowTitle());
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    widget.render(&painter);
    return painter.end();
}

bool savePdf(QWidget& widget, const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setTitle(widget.windowTitle());
    // One pixel to one point, so the page has the window's proportions and size.
    pdf.setResolution(kPointsPerInch);
    pdf.setPageSize(QPageSize(widget.size(), QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF());
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    widget.render(&painter);
    return painter.end();
}

} // namespace

bool saveWidgetImage(QWidget& widget, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return saveSvg(widget, path);
    if (suffix == QLatin1String("pdf"))
        return savePdf(widget, path);
    return widget.grab().save(path, "PNG");
}
