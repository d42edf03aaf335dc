#pragma once

#include "records/journal_writer.h"

#include <QObject>
#include <QString>

class FileIdentity;
class TrainingDocument;
class QWidget;

// The journal of the open document's unsaved changes, one file per document
// in the user's data folder. It follows the document from edit to edit and
// is offered back when that document is opened after a crash. A journal that
// another running program holds is never offered, replaced or deleted: this
// program then keeps its own beside it.
class UnsavedChangesJournal : public QObject {
    Q_OBJECT
public:
    explicit UnsavedChangesJournal(TrainingDocument& doc, const QString& folder = defaultFolder());
    ~UnsavedChangesJournal() override;

    // "journal" in the application's data folder.
    static QString defaultFolder();
    // The journal of the document at path (empty: the untitled document); a
    // number after the first tells the journals of several programs apart.
    QString journalPath(const QString& documentPath, int number = 1) const;

    // The document was just opened from path as it is on disk, or made new
    // (empty path). A journal left for it is offered: Yes replays it and
    // goes on with it, No deletes it.
    void documentOpened(const QString& path, const FileIdentity& identity, QWidget* dialogParent);
    // Everything is in the file at path now: the journal goes and the next edit starts one for path.
    void documentSaved(const QString& path, const FileIdentity& identity);
    // The unsaved changes are given up.
    void discard();

    JournalWriter& writer() { return m_writer; }

signals:
    // The journal stopped keeping the unsaved changes (with why, for the
    // user), or keeps them again (an empty reason).
    void protectionChanged(bool protecting, const QString& reason);

private:
    // Offers a journal left for the document: recovered, this program's journal goes on with it.
    void offer(const QString& path, const FileIdentity& identity, QWidget* dialogParent);
    // Begins the document's journal, which takes the first name no other program holds.
    void beginJournal(const QString& path, const FileIdentity& identity);

    TrainingDocument& m_doc;
    QString m_folder;
    JournalWriter m_writer;
};
