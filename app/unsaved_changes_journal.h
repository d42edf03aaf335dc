#pragma once

#include "records/journal_writer.h"

#include <QString>

class FileIdentity;
class TrainingDocument;
class QWidget;

// The journal of the open document's unsaved changes, one file per document
// in the user's data folder. It follows the document from edit to edit and
// is offered back when that document is opened after a crash.
class UnsavedChangesJournal {
public:
    explicit UnsavedChangesJournal(TrainingDocument& doc, const QString& folder = defaultFolder());
    ~UnsavedChangesJournal();
    UnsavedChangesJournal(const UnsavedChangesJournal&) = delete;
    UnsavedChangesJournal& operator=(const UnsavedChangesJournal&) = delete;

    // "journal" in the application's data folder.
    static QString defaultFolder();
    // The journal of the document at path (empty: the untitled document).
    QString journalPath(const QString& documentPath) const;

    // The document was just opened from path as it is on disk, or made new
    // (empty path). A journal left for it is offered: Yes replays it and
    // keeps it, No deletes it.
    void documentOpened(const QString& path, const FileIdentity& identity, QWidget* dialogParent);
    // Everything is in the file at path now: the journal goes and the next edit starts one for path.
    void documentSaved(const QString& path, const FileIdentity& identity);
    // The unsaved changes are given up.
    void discard();

    JournalWriter& writer() { return m_writer; }

private:
    bool offer(const QString& path, const FileIdentity& identity, QWidget* dialogParent);

    TrainingDocument& m_doc;
    QString m_folder;
    JournalWriter m_writer;
};
