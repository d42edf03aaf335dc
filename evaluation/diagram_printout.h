#pragma once

#include "diagram_kind.h"
#include "diagram_printer.h"

#include <QBrush>
#include <QFont>
#include <QPen>

#include <string>

class CIntervalStatistics;
class DocSettings;
class QPainter;
class QPrinter;
class TrainingType;

// The four diagram pages of a training type, page number = diagram kind.
// The page layout, pens and fonts are made at the first page printed and
// kept for every later print job of the run, as the printed pages should
// look alike whatever printer comes next.
class CDiagramPrintout {
public:
    CDiagramPrintout();
    virtual ~CDiagramPrintout() = default;

    // Prints the pages in the printer's page range (all four when none is set).
    void Print(QPrinter& printer, const TrainingType& type, const DocSettings& settings,
               const std::string& documentTitle);

private:
    void SetUp(const QPrinter& printer);
    void DrawPage(QPainter& painter, const CIntervalStatistics& statistics, const TrainingType& type,
                  const DocSettings& settings, const std::string& documentTitle);
    const QPen& KindPen(DiagramKind kind) const;

    bool m_bPrintSetUp = true;
    DeviceRect m_rectDiagram;
    QPen m_penBlack, m_penBlue, m_penRed, m_penGreen, m_penDarkRed;
    QBrush m_brushBlack;
    QFont m_font8, m_font10, m_font12;
    DiagramKind m_nPrintKind = Maximum;
};

// The y-axis caption of a kind, as the diagram window and the printout show it.
const char* GetYAxisCaption(DiagramKind kind);
