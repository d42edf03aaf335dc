#pragma once

#include <string>

class DiagramPrintJob;
class DocumentSettings;
class QPrinter;
class QWidget;
class TrainingType;

// The print preview of the four diagram pages of a training type. It opens
// with previewPages pages side by side (2; 0 or 1 give one page) and leaves
// there the layout the user chose last.
void showDiagramPrintPreview(QPrinter& printer, int& previewPages, DiagramPrintJob& printout, const TrainingType& type,
                             const DocumentSettings& settings, const std::string& documentTitle, QWidget* parent);
