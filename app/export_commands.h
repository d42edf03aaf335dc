#pragma once

class TrainingDocument;
class QWidget;

enum class ExportFormat { Csv, Json };

// Asks for a file name through the save dialog and writes the document into
// it in the format of the command line's --export-csv or --export-json.
// False when the user cancelled or the file could not be written; a write
// error is reported with the document framework's German text.
bool exportDocumentAs(const TrainingDocument& doc, ExportFormat format, QWidget* parent);
