#pragma once

#include <QFont>

class QDialog;
class QLineEdit;
class QWidget;
struct DialogControl;

// Caption, font and the fixed size of a template, in dialog units of the font.
void setUpDialogFrame(QDialog& dialog, const char* caption, int widthUnits, int heightUnits);

// A single-line edit for a template row.
QLineEdit* makeEdit(const DialogControl& control, QWidget* parent);
