#include "diagram_printout.h"

#include "diagram_text.h"
#include "doc_settings.h"
#include "interval_statistics.h"
#include "text_encoding.h"
#include "training_type.h"

#include <QPainter>
#include <QPrinter>

#include <cmath>
#include <ctime>

namespace {

QPen SolidPen(QRgb colorBgr)
{
    // Colours are kept as 0x00BBGGRR.
    QPen pen(QColor(colorBgr & 0xFF, (colorBgr >> 8) & 0xFF, (colorBgr >> 16) & 0xFF));
    pen.setWidth(0);
    pen.setStyle(Qt::SolidLine);
    return pen;
}

QString Shown(const std::string& bytes)
{
    return QString::fromStdString(DecodeText(bytes));
}

} // namespace

const char* GetYAxisCaption(DiagramKind kind)
{
    switch (kind) {
    case Maximum: return "Maximum / min";
    case Average: return "Average / min";
    case Median: return "Median / min";
    case Sikkhati: break;
    }
    return "Sikkhati / %";
}

CDiagramPrintout::CDiagramPrintout() : m_brushBlack(Qt::black, Qt::SolidPattern) {}

void CDiagramPrintout::SetUp(const QPrinter& printer)
{
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int w = page.width();
    const int h = page.height();
    m_rectDiagram = {w / 10, h / 10, w - w / 10, h - h / 10};
    m_penBlack = SolidPen(0x000000);
    m_penBlue = SolidPen(GetDiagramColor(Maximum));
    m_penDarkRed = SolidPen(GetDiagramColor(Average));
    m_penRed = SolidPen(GetDiagramColor(Median));
    m_penGreen = SolidPen(GetDiagramColor(Sikkhati));
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
    m_bPrintSetUp = false;
}

const QPen& CDiagramPrintout::KindPen(DiagramKind kind) const
{
    switch (kind) {
    case Maximum: return m_penBlue;
    case Average: return m_penDarkRed;
    case Median: return m_penRed;
    case Sikkhati: break;
    }
    return m_penGreen;
}

void CDiagramPrintout::Print(QPrinter& printer, const TrainingType& type, const DocSettings& settings,
                             const std::string& documentTitle)
{
    const int first = printer.fromPage() > 0 ? std::max(printer.fromPage(), 1) : 1;
    const int last = printer.toPage() > 0 ? std::min(printer.toPage(), 4) : 4;
    QPainter painter;
    if (first > last || !painter.begin(&printer))
        return;
    painter.setPen(m_penBlack);
    painter.setBrush(m_brushBlack);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(m_font10);

    const CIntervalStatistics statistics(type, settings.m_timeFilter);
    for (int page = first; page <= last; ++page) {
        if (page != first)
            printer.newPage();
        if (m_bPrintSetUp)
            SetUp(printer);
        m_nPrintKind = static_cast<DiagramKind>(page);
        DrawPage(painter, statistics, type, settings, documentTitle);
    }
    painter.end();
}

void CDiagramPrintout::DrawPage(QPainter& painter, const CIntervalStatistics& statistics, const TrainingType& type,
                                const DocSettings& settings, const std::string& documentTitle)
{
    const DiagramKind kind = m_nPrintKind;
    CDiagrammPrinter printer(m_rectDiagram, painter);
    const int count = statistics.GetMeasurementCount();
    const QString footer =
        Shown(GetFooterText(kind, documentTitle, settings.m_timeFilter, static_cast<CalendarTime>(std::time(nullptr))));
    const QString title = Shown(GetDiagramTitle(type.m_strName, kind));

    printer.DrawTitle(m_font12, title);
    printer.DrawFooter(m_font8, footer);
    printer.DrawYCaption(m_font10, QString::fromLatin1(GetYAxisCaption(kind)));
    printer.DrawXCaption(m_font10, QStringLiteral("Measurement"));
    printer.DrawAxes(m_penBlack);
    printer.DrawXScale(statistics.GetAxisRanges(kind).x, m_penBlack, m_font8);
    if (kind == Sikkhati)
        printer.DrawYScalePercent(m_penBlack, m_font8);
    else
        printer.DrawYScaleMinutes(statistics.GetOverallMaximum(kind), m_penBlack, m_font8);

    for (int n = 1; n <= count; ++n) {
        const std::int64_t value = statistics.GetValue(kind, n);
        if (kind == Sikkhati || value != 0)
            printer.DrawSegment(n, value, KindPen(kind), m_brushBlack);
    }
}
