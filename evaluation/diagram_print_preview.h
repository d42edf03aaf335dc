#pragma once

#include <functional>

class DiagramPrintJob;
class DocumentNotifier;
class QPagedPaintDevice;
class QWidget;
class TrainingDocument;

// The print preview of the four diagram pages of the current training type: a
// window of its own over the main window (parent), which stays usable and
// closes the preview when it closes; pressed again, the command brings the
// open preview forward. It opens with previewPages pages side by side (2; 0 or
// 1 give one page); when it closes, keepPreviewPages gets the layout the user
// chose last. It shows, and prints, the document as it is: every change the
// notifier announces redraws its pages. The printer is one the printing
// services made; without them the user is told that printing is not available.
void showDiagramPrintPreview(QPagedPaintDevice& printer, int previewPages, std::function<void(int)> keepPreviewPages,
                             DiagramPrintJob& printout, const TrainingDocument& document, DocumentNotifier& notifier,
                             QWidget* parent);
