#pragma once

#include "evaluation/diagram_kind.h"
#include "evaluation/diagram_page_painter.h"

#include <QBrush>
#include <QFont>
#include <QPen>

#include <string>

class IntervalStatistics;
class DocumentSettings;
class QPagedPaintDevice;
class QPainter;
class TrainingType;

// The four diagram pages of a training type, page number = diagram kind.
// The page layout, pens and fonts are made at the first page printed and
// kept for every later print job of the run, as the printed pages should
// look alike whatever printer comes next.
class DiagramPrintJob {
public:
    DiagramPrintJob();
    virtual ~DiagramPrintJob() = default;

    // Prints the pages in the printer's page range (all four when none is set).
    void print(QPagedPaintDevice& printer, const TrainingType& type, const DocumentSettings& settings,
               const std::string& documentTitle);

private:
    void setUp(const QPagedPaintDevice& printer);
    void drawPage(QPainter& painter, const IntervalStatistics& statistics, const TrainingType& type,
                  const DocumentSettings& settings, const std::string& documentTitle);
    const QPen& kindPen(DiagramKind kind) const;

    bool m_printSetUp = true;
    DeviceRect m_diagramRect;
    QPen m_penBlack, m_penBlue, m_penRed, m_penGreen, m_penDarkRed;
    QBrush m_brushBlack;
    QFont m_font8, m_font10, m_font12;
    DiagramKind m_printKind = DiagramKind::Maximum;
};

// The y-axis caption of a kind, as the diagram window and the printout show it.
const char* yAxisCaption(DiagramKind kind);
