#include "evaluation/diagram_image.h"

#include "printing/printing_services.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QWidget>

namespace {

constexpr int kPointsPerInch = 72;

// The chart and the footer, at their places in the window, within the rectangle around both.
class DiagramPicture {
public:
    DiagramPicture(QWidget& chart, QWidget& footer)
        : m_chart(chart), m_footer(footer), m_chartPlace(placeInWindow(chart)), m_footerPlace(placeInWindow(footer)),
          m_area(m_chartPlace.united(m_footerPlace))
    {
    }

    QSize size() const { return m_area.size(); }
    QString title() const { return m_chart.window()->windowTitle(); }

    bool paint(QPaintDevice& device) const
    {
        QPainter painter;
        if (!painter.begin(&device))
            return false;
        painter.fillRect(QRect(QPoint(), size()), m_chart.window()->palette().window());
        m_chart.render(&painter, m_chartPlace.topLeft() - m_area.topLeft());
        m_footer.render(&painter, m_footerPlace.topLeft() - m_area.topLeft());
        return painter.end();
    }

private:
    static QRect placeInWindow(const QWidget& widget)
    {
        return QRect(widget.mapTo(widget.window(), QPoint()), widget.size());
    }

    QWidget& m_chart;
    QWidget& m_footer;
    QRect m_chartPlace;
    QRect m_footerPlace;
    QRect m_area;
};

bool saveSvg(const DiagramPicture& picture, const QString& path)
{
    PrintingServices* printing = printingServices();
    if (!printing)
        return false;
    const std::unique_ptr<QPaintDevice> svg = printing->makeSvgWriter(path, picture.size(), picture.title());
    return picture.paint(*svg);
}

bool savePdf(const DiagramPicture& picture, const QString& path)
{
    QPdfWriter pdf(path);
    pdf.setTitle(picture.title());
    // One pixel to one point, so the page has the picture's proportions and size.
    pdf.setResolution(kPointsPerInch);
    pdf.setPageSize(QPageSize(picture.size(), QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF());
    return picture.paint(pdf);
}

bool savePng(const DiagramPicture& picture, const QString& path, qreal pixelRatio)
{
    // As sharp as on the screen.
    QImage image(picture.size() * pixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    return picture.paint(image) && image.save(path, "PNG");
}

} // namespace

bool saveDiagramImage(QWidget& chart, QWidget& footer, const QString& path)
{
    const DiagramPicture picture(chart, footer);
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return saveSvg(picture, path);
    if (suffix == QLatin1String("pdf"))
        return savePdf(picture, path);
    return savePng(picture, path, chart.devicePixelRatioF());
}
