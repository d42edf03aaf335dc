#pragma once

#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class QDialog;
class QPagedPaintDevice;
class QPaintDevice;
class QWidget;

// Qt's printing and SVG writing. They live in a module of their own that the
// program loads when a page is first set up, previewed or printed, or an SVG
// written: linked into the program, their libraries would cost every start
// the time to load them. A printer is a paged paint device that the module made.
class PrintingServices {
public:
    // The settings of the system's default printer, at its full resolution.
    virtual std::unique_ptr<QPagedPaintDevice> makePrinter() = 0;
    // Lets the user choose the printer and its paper for printer.
    virtual void runPrintSetup(QPagedPaintDevice& printer, QWidget* parent) = 0;

    // Opens a window of its own over parent that shows the pages paint draws
    // into a printer, all of them whatever page range an earlier print chose,
    // pagesSideBySide (1 or 2) at a time. Its print command prints them.
    virtual QDialog* openPrintPreview(QPagedPaintDevice& printer, int pagesSideBySide,
                                      std::function<void(QPagedPaintDevice& printer)> paint, QWidget* parent) = 0;
    // Has an open preview draw its pages again.
    virtual void updatePrintPreview(QDialog& preview) = 0;
    // The pages the preview shows side by side now: 1, 2, or 0 for the overview of all.
    virtual int pagesSideBySide(const QDialog& preview) = 0;

    // A device that writes what is painted into it to path as an SVG picture
    // of size, titled title, when the painting ends.
    virtual std::unique_ptr<QPaintDevice> makeSvgWriter(const QString& path, QSize size, const QString& title) = 0;

protected:
    ~PrintingServices() = default;
};

// The module's services, loaded at the first call; null when the module
// cannot be loaded.
PrintingServices* printingServices();
// The same, and when the module cannot be loaded the user is told so over parent.
PrintingServices* printingServicesOrSayWhy(QWidget* parent);

// What the module exports, and the file it is found in.
using PrintingServicesEntry = PrintingServices* (*)();
inline constexpr char kPrintingServicesEntryName[] = "jhavariPrintingServices";
inline constexpr char kPrintingModuleFileName[] = "jhavari-printing.so";
