#pragma once

#include "records/file_identity.h"

#include <QObject>
#include <QString>
#include <QStringList>

class DocumentError;
class RecentFileList;
class TrainingDocument;
class UnsavedChangesJournal;
class QWidget;

// The document side of the application: New, Open, Save, Save as, the
// recent-file list, the question whether to save changes, and the report of
// every failed load or save, with the German texts of a document framework.
class DocumentFramework : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kFileFilters = "Filetype Jhavari (*.con);;Alle Dateien (*.*)";
    static constexpr const char* kDefaultExtension = "con";

    enum class OpenResult { Opened, AlreadyOpen, Cancelled, Failed };

    DocumentFramework(TrainingDocument& doc, RecentFileList& recentFiles, QObject* parent = nullptr);

    // The window the dialogs and messages belong to.
    void setDialogParent(QWidget* parent) { m_dialogParent = parent; }
    // The journal that keeps the unsaved changes; none keeps them only in memory.
    void setJournal(UnsavedChangesJournal* journal) { m_journal = journal; }
    // Offers the unsaved changes a crash left for the document as it is now open.
    void recoverUnsavedChanges();

    void onFileNew();
    void onFileOpen();
    bool onFileSave();
    bool onFileSaveAs();
    // Opens entry index of the recent-file list; a file that fails is removed.
    void onOpenRecentFile(int index);

    // Opens path as the document after asking about unsaved changes. The
    // document already open under that path is not loaded again.
    OpenResult openDocumentFile(const QString& path);
    // "Änderungen in %1 speichern?" when the document is modified; false when
    // the user cancels or the save fails.
    bool saveModified();

    TrainingDocument& document() { return m_doc; }
    QString title() const;

signals:
    // After every operation that may have changed the document's title.
    void titleChanged(const QString& title);
    void recentFilesChanged(const QStringList& paths);

private:
    enum class SaveAnswer { Kept, GivenUp, Cancelled };
    // The question of saveModified(); changes given up stay in the journal
    // until the document is really left.
    SaveAnswer askToSaveModified();
    void giveUpUnsavedChanges();
    bool doSave(const QString& path);
    // False when the file at path changed on disk since it was loaded or saved and the user keeps it.
    bool mayOverwrite(const QString& path);
    void reportError(const DocumentError& error);
    void addToRecentFiles(const QString& path);

    TrainingDocument& m_doc;
    RecentFileList& m_recentFiles;
    QWidget* m_dialogParent = nullptr;
    UnsavedChangesJournal* m_journal = nullptr;
    // The document's file as it was loaded or saved last.
    FileIdentity m_identityOnDisk;
};

// path with ".con" added when its file name has no extension.
QString withDefaultExtension(const QString& path);
