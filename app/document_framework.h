#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class CDocumentError;
class CRecentFileList;
class CVersenkwerkDoc;
class QWidget;

// The document side of the application: New, Open, Save, Save as, the
// recent-file list, the question whether to save changes, and the report of
// every failed load or save, with the German texts of a document framework.
class CDocumentFramework : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kFileFilters = "Filetype Jhavari (*.con);;Alle Dateien (*.*)";
    static constexpr const char* kDefaultExtension = "con";

    enum class OpenResult { Opened, AlreadyOpen, Cancelled, Failed };

    CDocumentFramework(CVersenkwerkDoc& doc, CRecentFileList& recentFiles, QObject* parent = nullptr);

    // The window the dialogs and messages belong to.
    void SetDialogParent(QWidget* parent) { m_pDialogParent = parent; }

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Opens entry index of the recent-file list; a file that fails is removed.
    void OnOpenRecentFile(int index);

    // Opens path as the document after asking about unsaved changes. The
    // document already open under that path is not loaded again.
    OpenResult OpenDocumentFile(const QString& path);
    // "Änderungen in %1 speichern?" when the document is modified; false when
    // the user cancels or the save fails.
    bool SaveModified();

    CVersenkwerkDoc& GetDocument() { return m_doc; }
    QString GetTitle() const;

signals:
    // After every operation that may have changed the document's title.
    void TitleChanged(const QString& title);
    void RecentFilesChanged(const QStringList& paths);

private:
    bool DoSave(const QString& path);
    void ReportError(const CDocumentError& error);
    void AddToRecentFiles(const QString& path);

    CVersenkwerkDoc& m_doc;
    CRecentFileList& m_recentFiles;
    QWidget* m_pDialogParent = nullptr;
};

// path with ".con" added when its file name has no extension.
QString WithDefaultExtension(const QString& path);
