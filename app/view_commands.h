#pragma once

#include "evaluation/diagram_print_job.h"

#include <QObject>

#include <functional>

class DocumentEditor;
class MainForm;
class QPagedPaintDevice;

// The commands of the menu and of the interval list that open the entry
// dialogs, restore the settings or preview the printout, with what the form
// does around them.
class ViewCommands : public QObject {
    Q_OBJECT
public:
    ViewCommands(DocumentEditor& editor, MainForm& form);

    // "Restore default settings", after asking; one step of the undo history.
    void restoreDefaults();
    // "Interval filter".
    void openIntervalFilter();
    // Ctrl+Alt+D: ignored while measuring and without a current training type.
    // Proposes "1" and now to now + 20 s; after closing, however it was closed,
    // the document counts as changed and list and diagrams are shown anew.
    void openManualEntry();
    // A double click on the list or the Edit menu: the list shows the last
    // measurement, the dialog takes the records of the next one; after closing
    // the list is filled again and the document counts as changed. Diagrams
    // stay as they are. Ignored while measuring.
    void openPhoneRecords();
    // "Import intervals...", which waits while measuring.
    void importIntervals();
    // The print preview of the four diagram pages, beside the main window. It
    // opens with previewPages pages side by side (2; 0 or 1 give one page) and,
    // when it closes, gives keepPreviewPages the layout the user chose last.
    void printPreview(QPagedPaintDevice& printer, int previewPages, std::function<void(int)> keepPreviewPages);

private:
    DocumentEditor& m_editor;
    MainForm& m_form;
    DiagramPrintJob m_printout;
};
