#include "evaluation/diagram_print_job.h"

#include "evaluation/diagram_text.h"
#include "evaluation/interval_statistics.h"
#include "records/document_settings.h"
#include "records/text_encoding.h"
#include "records/training_type.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>
#include <ctime>

namespace {

QPen solidPen(QRgb colorBgr)
{
    // Colours are kept as 0x00BBGGRR.
    QPen pen(QColor(colorBgr & 0xFF, (colorBgr >> 8) & 0xFF, (colorBgr >> 16) & 0xFF));
    pen.setWidth(0);
    pen.setStyle(Qt::SolidLine);
    return pen;
}

QString shown(const std::string& bytes)
{
    return QString::fromStdString(decodeText(bytes));
}

} // namespace

const char* yAxisCaption(DiagramKind kind)
{
    switch (kind) {
    case DiagramKind::Maximum: return "Maximum / min";
    case DiagramKind::Average: return "Average / min";
    case DiagramKind::Median: return "Median / min";
    case DiagramKind::Sikkhati: break;
    }
    return "Sikkhati / %";
}

DiagramPrintJob::DiagramPrintJob() : m_brushBlack(Qt::black, Qt::SolidPattern)
{
}

void DiagramPrintJob::setUp(const QPagedPaintDevice& printer)
{
    const QRect page = printer.pageLayout().paintRectPixels(printer.logicalDpiX());
    const int w = page.width();
    const int h = page.height();
    m_diagramRect = {w / 10, h / 10, w - w / 10, h - h / 10};
    m_penBlack = solidPen(0x000000);
    m_penBlue = solidPen(diagramColor(DiagramKind::Maximum));
    m_penDarkRed = solidPen(diagramColor(DiagramKind::Average));
    m_penRed = solidPen(diagramColor(DiagramKind::Median));
    m_penGreen = solidPen(diagramColor(DiagramKind::Sikkhati));
    auto font = [&printer](int points) {
        QFont f(QStringLiteral("Arial"));
        f.setWeight(QFont::Normal);
        f.setItalic(false);
        f.setUnderline(false);
        f.setStrikeOut(false);
        f.setPixelSize(static_cast<int>(std::lround(points * printer.logicalDpiY() / 72.0)));
        return f;
    };
    m_font8 = font(8);
    m_font10 = font(10);
    m_font12 = font(12);
    m_printSetUp = false;
}

const QPen& DiagramPrintJob::kindPen(DiagramKind kind) const
{
    switch (kind) {
    case DiagramKind::Maximum: return m_penBlue;
    case DiagramKind::Average: return m_penDarkRed;
    case DiagramKind::Median: return m_penRed;
    case DiagramKind::Sikkhati: break;
    }
    return m_penGreen;
}

void DiagramPrintJob::print(QPagedPaintDevice& printer, const TrainingType& type, const DocumentSettings& settings,
                            const std::string& documentTitle)
{
    const QPageRanges range = printer.pageRanges();
    const int first = range.firstPage() > 0 ? std::max(range.firstPage(), 1) : 1;
    const int last = range.lastPage() > 0 ? std::min(range.lastPage(), 4) : 4;
    QPainter painter;
    if (first > last || !painter.begin(&printer))
        return;
    painter.setPen(m_penBlack);
    painter.setBrush(m_brushBlack);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(m_font10);

    const IntervalStatistics statistics(type, settings.m_timeFilter);
    for (int page = first; page <= last; ++page) {
        if (page != first)
            printer.newPage();
        if (m_printSetUp)
            setUp(printer);
        m_printKind = static_cast<DiagramKind>(page);
        drawPage(painter, statistics, type, settings, documentTitle);
    }
    painter.end();
}

void DiagramPrintJob::drawPage(QPainter& painter, const IntervalStatistics& statistics, const TrainingType& type,
                               const DocumentSettings& settings, const std::string& documentTitle)
{
    const DiagramKind kind = m_printKind;
    DiagramPagePainter printer(m_diagramRect, painter);
    const int count = statistics.measurementCount();
    const QString footer =
        shown(footerText(kind, documentTitle, settings.m_timeFilter, static_cast<CalendarTime>(std::time(nullptr))));
    const QString title = shown(diagramTitle(type.m_name, kind));

    printer.drawTitle(m_font12, title);
    printer.drawFooter(m_font8, footer);
    printer.drawYCaption(m_font10, QString::fromLatin1(yAxisCaption(kind)));
    printer.drawXCaption(m_font10, QStringLiteral("Measurement"));
    printer.drawAxes(m_penBlack);
    printer.drawXScale(statistics.axisRanges(kind).x, m_penBlack, m_font8);
    if (kind == DiagramKind::Sikkhati)
        printer.drawYScalePercent(m_penBlack, m_font8);
    else
        printer.drawYScaleMinutes(statistics.overallMaximum(kind), m_penBlack, m_font8);

    for (int n = 1; n <= count; ++n) {
        const std::int64_t value = statistics.value(kind, n);
        if (kind == DiagramKind::Sikkhati || value != 0)
            printer.drawSegment(n, value, kindPen(kind), m_brushBlack);
    }
}
