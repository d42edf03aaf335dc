#pragma once

class DocumentEditor;
class QWidget;

// "Import intervals...": asks for another document, or a CSV or JSON export,
// and merges its intervals into the document as one step of the undo history
// (IntervalMerge gives the rules); then tells how many were added and skipped
// per training type. A file that cannot be read, or is damaged, is reported
// and changes nothing. False when nothing was imported.
bool importIntervalsInto(DocumentEditor& editor, QWidget* parent);
