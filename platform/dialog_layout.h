#pragma once

#include <QFlags>
#include <QFont>
#include <QMap>
#include <QRect>
#include <QString>

#include <functional>
#include <span>

class QWidget;

// What kind of widget a row of a dialog template makes.
enum class DialogControlKind {
    Label,       // plain static text
    SunkenLabel, // static text with a sunken frame
    GroupBox,
    PushButton,
    CheckBox,   // auto check box
    ComboBox,   // drop-down list, not sorted
    TimePicker, // time of day, "HH:mm:ss", right-aligned
    Custom,     // made by the form's own factory
};

// How a push button or check box of a template looks and behaves.
enum class DialogControlStyle {
    Shaded = 0x1,        // drawn as a ShadeButton on the forms' green-tinted face
    DefaultButton = 0x2, // the button that Enter presses
    PushLike = 0x4,      // a check box drawn as a button with an edge
    Flat = 0x8,          // thin edges, shown only under the pointer
    TextLeft = 0x10,
    TextRight = 0x20,
    CheckMarks = 0x40, // a shaded check box showing the forms' check mark icons at the left
};
Q_DECLARE_FLAGS(DialogControlStyles, DialogControlStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(DialogControlStyles)

// One control of a dialog template: position and size in dialog units.
struct DialogControl {
    int id; // -1 for plain labels and group boxes
    DialogControlKind kind;
    int x, y, w, h;
    const char* text;
    DialogControlStyles style = {};
};

// The base units of a font, from which dialog units are derived.
struct DialogBaseUnits {
    int avgCharWidth;
    int height;

    static DialogBaseUnits fromFont(const QFont& font);
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(int x, int y, int w, int h) const;
};

// The font of the form and dialog templates, "MS Sans Serif" 8 pt. It and
// "Arial" are not on Linux desktops: Liberation Sans, metric-compatible with
// Arial, takes their place, so the templates keep their proportions.
QFont templateFont();

// Makes a widget for a Custom row; the builder places it and names it.
using CustomControlFactory = std::function<QWidget*(const DialogControl& control, QWidget* parent)>;

// Builds the controls of a template as children of parent, in template order
// (which is also the tab order), each named by its control id ("1052").
// Returns the controls with an id other than -1, by id.
QMap<int, QWidget*> buildDialogControls(QWidget* parent, const QFont& font, std::span<const DialogControl> controls,
                                        const CustomControlFactory& makeCustom = {});
