#pragma once

#include <functional>
#include <string>

class DiagramPrintJob;
class DocumentSettings;
class QPrinter;
class QWidget;
class TrainingType;

// The print preview of the four diagram pages of a training type: a window of
// its own over the main window (parent), which stays usable and closes the
// preview when it closes; pressed again, the command brings the open preview
// forward. It opens with previewPages pages side by side (2; 0 or 1 give one
// page); when it closes, keepPreviewPages gets the layout the user chose last.
// What is given is used as long as the preview is open.
void showDiagramPrintPreview(QPrinter& printer, int previewPages, std::function<void(int)> keepPreviewPages,
                             DiagramPrintJob& printout, const TrainingType& type, const DocumentSettings& settings,
                             const std::string& documentTitle, QWidget* parent);
