#include "app/document_framework.h"

#include "app/document_error_message.h"
#include "app/recent_file_list.h"
#include "app/unsaved_changes_journal.h"
#include "platform/file_dialog_folder.h"
#include "platform/file_dialogs.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "records/document_error.h"
#include "records/document_file.h"
#include "records/training_document.h"

#include <QFileInfo>

#include <unistd.h>

namespace {

// Asked of the file system by the path's own bytes, which QFileInfo may not reproduce.
bool isReadOnlyFile(const QString& path)
{
    const std::string native = nativePath(path);
    return ::access(native.c_str(), F_OK) == 0 && ::access(native.c_str(), W_OK) != 0;
}

} // namespace

QString withDefaultExtension(const QString& path)
{
    if (QFileInfo(path).fileName().contains('.'))
        return path;
    return path + '.' + DocumentFramework::kDefaultExtension;
}

DocumentFramework::DocumentFramework(TrainingDocument& doc, RecentFileList& recentFiles, QObject* parent)
    : QObject(parent), m_doc(doc), m_recentFiles(recentFiles)
{
}

QString DocumentFramework::title() const
{
    return pathFromNative(m_doc.title());
}

void DocumentFramework::onFileNew()
{
    if (!saveModified())
        return;
    m_doc.setTitle(TrainingDocument::kUntitled);
    m_doc.onNewDocument();
    m_identityOnDisk = {};
    recoverUnsavedChanges();
    emit titleChanged(title());
}

void DocumentFramework::recoverUnsavedChanges()
{
    if (m_journal)
        m_journal->documentOpened(pathFromNative(m_doc.pathName()), m_identityOnDisk, m_dialogParent);
}

void DocumentFramework::onFileOpen()
{
    const QString path = fileDialogs().getOpenFileName(
        m_dialogParent, QStringLiteral("Öffnen"), fileDialogFolder(pathFromNative(m_doc.pathName())), kFileFilters);
    if (!path.isEmpty())
        openDocumentFile(path);
}

bool DocumentFramework::onFileSave()
{
    const QString path = pathFromNative(m_doc.pathName());
    // A file we may not write goes through "Save as" like a new document.
    if (path.isEmpty() || isReadOnlyFile(path))
        return doSave(QString());
    return doSave(path);
}

bool DocumentFramework::onFileSaveAs()
{
    return doSave(QString());
}

void DocumentFramework::onOpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.count())
        return;
    const QString path = m_recentFiles[index];
    // Only a file that failed leaves the list, not one whose opening the user
    // cancelled. Saving the old document first may have moved its entry.
    if (openDocumentFile(path) == OpenResult::Failed) {
        m_recentFiles.remove(static_cast<int>(m_recentFiles.paths().indexOf(path)));
        emit recentFilesChanged(m_recentFiles.paths());
    }
}

DocumentFramework::OpenResult DocumentFramework::openDocumentFile(const QString& path)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (!m_doc.pathName().empty() && pathFromNative(m_doc.pathName()) == fullPath)
        return OpenResult::AlreadyOpen;
    const SaveAnswer answer = askToSaveModified();
    if (answer == SaveAnswer::Cancelled)
        return OpenResult::Cancelled;
    OpenResult result = OpenResult::Opened;
    try {
        ::openDocumentFile(m_doc, nativePath(fullPath));
        if (answer == SaveAnswer::GivenUp)
            giveUpUnsavedChanges();
        m_identityOnDisk = FileIdentity::ofFile(nativePath(fullPath));
        addToRecentFiles(fullPath);
        recoverUnsavedChanges();
    } catch (const DocumentError& error) {
        reportError(error);
        result = OpenResult::Failed;
        // A file that did not open left the document with its changes as it
        // was, and their journal goes on; a damaged one left a new document behind.
        if (!m_doc.isModified()) {
            if (answer == SaveAnswer::GivenUp)
                giveUpUnsavedChanges();
            if (m_doc.pathName().empty()) {
                m_identityOnDisk = {};
                recoverUnsavedChanges();
            }
        }
    }
    emit titleChanged(title());
    return result;
}

bool DocumentFramework::saveModified()
{
    const SaveAnswer answer = askToSaveModified();
    if (answer == SaveAnswer::GivenUp)
        giveUpUnsavedChanges();
    return answer != SaveAnswer::Cancelled;
}

DocumentFramework::SaveAnswer DocumentFramework::askToSaveModified()
{
    if (!m_doc.isModified())
        return SaveAnswer::Kept;
    const QString path = pathFromNative(m_doc.pathName());
    const QString name = path.isEmpty() ? title() : QFileInfo(path).fileName();
    switch (messageBoxes().askYesNoCancel(m_dialogParent, QStringLiteral("Änderungen in %1 speichern?").arg(name))) {
    case MessageBox::Answer::Yes: return onFileSave() ? SaveAnswer::Kept : SaveAnswer::Cancelled;
    case MessageBox::Answer::No: return SaveAnswer::GivenUp;
    default: return SaveAnswer::Cancelled;
    }
}

void DocumentFramework::giveUpUnsavedChanges()
{
    if (m_journal)
        m_journal->discard();
}

bool DocumentFramework::doSave(const QString& path)
{
    QString target = path;
    if (target.isEmpty()) {
        const QString current = pathFromNative(m_doc.pathName());
        const QString suggested = current.isEmpty() ? inFileDialogFolder({}, withDefaultExtension(title())) : current;
        target = fileDialogs().getSaveFileName(m_dialogParent, QStringLiteral("Speichern unter"), suggested,
                                               kFileFilters, kDefaultExtension);
        if (target.isEmpty())
            return false;
        target = QFileInfo(withDefaultExtension(target)).absoluteFilePath();
    }
    if (!mayOverwrite(target))
        return false;
    try {
        saveDocumentFile(m_doc, nativePath(target));
    } catch (const DocumentError& error) {
        reportError(error);
        return false;
    }
    m_identityOnDisk = FileIdentity::ofFile(nativePath(target));
    if (m_journal)
        m_journal->documentSaved(target, m_identityOnDisk);
    addToRecentFiles(target);
    emit titleChanged(title());
    return true;
}

bool DocumentFramework::mayOverwrite(const QString& path)
{
    // Another program or another instance (a second session, a synced
    // folder) saved over the file: overwriting it would lose its records.
    if (path != pathFromNative(m_doc.pathName()) || !m_identityOnDisk.exists())
        return true;
    const FileIdentity now = FileIdentity::ofFile(nativePath(path));
    if (!now.exists() || now == m_identityOnDisk)
        return true;
    const QString text = QStringLiteral("%1 wurde seit dem Öffnen außerhalb dieses Programms geändert.\n"
                                        "Datei trotzdem überschreiben?")
                             .arg(QFileInfo(path).fileName());
    return messageBoxes().askYesNoDefaulting(m_dialogParent, text, MessageBox::Answer::No) == MessageBox::Answer::Yes;
}

void DocumentFramework::reportError(const DocumentError& error)
{
    showDocumentError(m_dialogParent, error);
}

void DocumentFramework::addToRecentFiles(const QString& path)
{
    m_recentFiles.add(path);
    emit recentFilesChanged(m_recentFiles.paths());
}
