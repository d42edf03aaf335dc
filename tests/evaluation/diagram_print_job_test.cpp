#include "evaluation/diagram_page_painter.h"
#include "evaluation/diagram_print_job.h"
#include "records/document_settings.h"
#include "records/training_type.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <cstdio>

namespace {

std::string command(const std::string& command)
{
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, count);
    ::pclose(pipe);
    return out;
}

TrainingType sampleType()
{
    TrainingType type;
    type.m_name = "Apana Jhavari (Samatha Bhavana)";
    for (int n = 1; n <= 12; ++n) {
        const CalendarTime start = 1700000000 + n * 10000;
        type.m_records.add(record().measurement(n).run(1).from(start).lasting(60 * n));
        type.m_records.add(record().measurement(n).run(2).from(start + 60 * n + 5).lasting(30).uddhacca());
    }
    return type;
}

int darkPixelsInColumn(const QImage& image, int x, int top, int bottom)
{
    int dark = 0;
    for (int y = top; y < bottom; ++y)
        dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

} // namespace

TEST(DiagramPrintout, FourLandscapePagesWithTitlesAndFooters)
{
    TempDir dir;
    const std::string pdf = dir.file("diagrams.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    printer.setPageOrientation(QPageLayout::Landscape);

    DocumentSettings settings;
    DiagramPrintJob printout;
    const TrainingType type = sampleType();
    printout.print(printer, type, settings, "Practice.con");

    const std::string info = command("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           4"), std::string::npos) << info;
    EXPECT_NE(info.find("842 x 595 pts"), std::string::npos) << "A4 landscape: " << info;
    const std::string text = command("pdftotext -layout '" + pdf + "' -");
    for (const char* title : {"Diagramm: Jhavari Maximum", "Diagramm: Jhavari Average", "Diagramm: Jhavari Median",
                              "Diagramm: Sikkhati ability"})
        EXPECT_NE(text.find(std::string("Apana Jhavari (Samatha Bhavana) Training, ") + title), std::string::npos)
            << title;
    EXPECT_NE(text.find("File: Practice.con, Filter time: 00:00:10 (Values under this time were filtered out"),
              std::string::npos);
    EXPECT_NE(text.find("File: Practice.con, Filter time: off"), std::string::npos) << "the Sikkhati page";
    EXPECT_NE(text.find("Sikkhati / %"), std::string::npos);
    EXPECT_NE(text.find("Measurement"), std::string::npos);
    EXPECT_NE(text.find("120"), std::string::npos);

    // A second job of the same run keeps the first job's page layout.
    const std::string second = dir.file("second.pdf");
    printer.setOutputFileName(QString::fromStdString(second));
    printer.setFromTo(4, 4);
    printout.print(printer, type, settings, "Practice.con");
    EXPECT_NE(command("pdfinfo '" + second + "'").find("Pages:           1"), std::string::npos);
    const std::string secondText = command("pdftotext '" + second + "' -");
    EXPECT_NE(secondText.find("Sikkhati ability"), std::string::npos);
    EXPECT_EQ(secondText.find("Jhavari Maximum"), std::string::npos);
}

TEST(DiagramPrinter, LayoutShrinksThePlotAndTheLineStartsAtTheOrigin)
{
    QImage page(1100, 850, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12);
    const DeviceRect area{100, 80, 1000, 770};
    DiagramPagePainter printer(area, painter);
    printer.drawTitle(font, QStringLiteral("Title"));
    printer.drawFooter(font, QStringLiteral("Footer"));
    printer.drawXCaption(font, QStringLiteral("Measurement"));
    const DeviceRect plot = printer.plotArea();
    EXPECT_EQ(plot.left, area.left);
    EXPECT_GT(plot.top, area.top);
    EXPECT_LT(plot.bottom, area.bottom);
    EXPECT_LT(plot.right, area.right);
    EXPECT_EQ(plot.top - area.top, 3 * (QFontMetrics(font, &page).height() + QFontMetrics(font, &page).leading()));

    printer.drawAxes(QPen(Qt::black, 0));
    printer.drawXScale(25, QPen(Qt::black, 0), font);
    printer.drawYScaleMinutes(59, QPen(Qt::black, 0), font);
    // Measurement 1 skipped (value 0): the first segment still starts at the origin.
    printer.drawSegment(2, 30, QPen(Qt::blue, 0), QBrush(Qt::black));
    const double step = static_cast<double>(plot.width()) / 25;
    EXPECT_EQ(printer.lastPoint(), QPoint(plot.left + static_cast<int>(step * 2), plot.bottom - plot.height() / 2));
    painter.end();

    // The y axis is drawn along the plot's left edge, and there is a tick at every measurement for 25.
    EXPECT_GE(darkPixelsInColumn(page, plot.left, plot.top, plot.bottom), plot.height() - 2);
    EXPECT_GT(darkPixelsInColumn(page, plot.left + static_cast<int>(step * 3), plot.bottom + 1, plot.bottom + 5), 0);
}
