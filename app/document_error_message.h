#pragma once

class DocumentError;
class QWidget;

// Tells the user of a failed load, save or import: the program's own message
// where there is one, then the document framework's text.
void showDocumentError(QWidget* parent, const DocumentError& error);
