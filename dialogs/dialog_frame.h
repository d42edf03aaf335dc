#pragma once

#include <QFont>

class QDialog;
class QLineEdit;
class QWidget;
struct DialogControl;

// The font of the program's dialogs. "MS Sans Serif" 8 pt does not exist
// here; Liberation Sans is metric-compatible with the desktop fonts it
// stood beside, so the templates keep their proportions.
QFont dialogFont();

// Caption, font and the fixed size of a template, in dialog units of the font.
void setUpDialogFrame(QDialog& dialog, const char* caption, int widthUnits, int heightUnits);

// A single-line edit for a template row.
QLineEdit* makeEdit(const DialogControl& control, QWidget* parent);
