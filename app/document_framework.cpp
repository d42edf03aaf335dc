#include "document_framework.h"

#include "document.h"
#include "document_error.h"
#include "document_file.h"
#include "file_dialogs.h"
#include "message_box.h"
#include "recent_file_list.h"

#include <QFile>
#include <QFileInfo>

namespace {

std::string ToNativePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString FromNativePath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

QString WithDefaultExtension(const QString& path)
{
    if (QFileInfo(path).fileName().contains('.'))
        return path;
    return path + '.' + CDocumentFramework::kDefaultExtension;
}

CDocumentFramework::CDocumentFramework(CVersenkwerkDoc& doc, CRecentFileList& recentFiles, QObject* parent)
    : QObject(parent), m_doc(doc), m_recentFiles(recentFiles)
{
}

QString CDocumentFramework::GetTitle() const
{
    return FromNativePath(m_doc.GetTitle());
}

void CDocumentFramework::OnFileNew()
{
    if (!SaveModified())
        return;
    m_doc.SetTitle(CVersenkwerkDoc::kUntitled);
    m_doc.OnNewDocument();
    emit TitleChanged(GetTitle());
}

void CDocumentFramework::OnFileOpen()
{
    const QString path = FileDialogs().GetOpenFileName(m_pDialogParent, QStringLiteral("Öffnen"), kFileFilters);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool CDocumentFramework::OnFileSave()
{
    const QString path = FromNativePath(m_doc.GetPathName());
    // A file we may not write goes through "Save as" like a new document.
    const QFileInfo target(path);
    if (path.isEmpty() || (target.exists() && !target.isWritable()))
        return DoSave(QString());
    return DoSave(path);
}

bool CDocumentFramework::OnFileSaveAs()
{
    return DoSave(QString());
}

void CDocumentFramework::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.GetCount())
        return;
    const QString path = m_recentFiles[index];
    // Only a file that failed leaves the list, not one whose opening the user cancelled.
    if (OpenDocumentFile(path) == OpenResult::Failed) {
        m_recentFiles.Remove(index);
        emit RecentFilesChanged(m_recentFiles.GetPaths());
    }
}

CDocumentFramework::OpenResult CDocumentFramework::OpenDocumentFile(const QString& path)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (!m_doc.GetPathName().empty() && FromNativePath(m_doc.GetPathName()) == fullPath)
        return OpenResult::AlreadyOpen;
    if (!SaveModified())
        return OpenResult::Cancelled;
    OpenResult result = OpenResult::Opened;
    try {
        ::OpenDocumentFile(m_doc, ToNativePath(fullPath));
        AddToRecentFiles(fullPath);
    } catch (const CDocumentError& error) {
        ReportError(error);
        result = OpenResult::Failed;
    }
    emit TitleChanged(GetTitle());
    return result;
}

bool CDocumentFramework::SaveModified()
{
    if (!m_doc.IsModified())
        return true;
    const QString path = FromNativePath(m_doc.GetPathName());
    const QString name = path.isEmpty() ? GetTitle() : QFileInfo(path).fileName();
    switch (MessageBoxes().AskYesNoCancel(m_pDialogParent, QStringLiteral("Änderungen in %1 speichern?").arg(name))) {
    case IMessageBox::Answer::Yes: return OnFileSave();
    case IMessageBox::Answer::No: return true;
    default: return false;
    }
}

bool CDocumentFramework::DoSave(const QString& path)
{
    QString target = path;
    if (target.isEmpty()) {
        const QString current = FromNativePath(m_doc.GetPathName());
        const QString suggested = current.isEmpty() ? WithDefaultExtension(GetTitle()) : current;
        target = FileDialogs().GetSaveFileName(m_pDialogParent, QStringLiteral("Speichern unter"), suggested,
                                               kFileFilters, kDefaultExtension);
        if (target.isEmpty())
            return false;
        target = QFileInfo(WithDefaultExtension(target)).absoluteFilePath();
    }
    try {
        SaveDocumentFile(m_doc, ToNativePath(target));
    } catch (const CDocumentError& error) {
        ReportError(error);
        return false;
    }
    AddToRecentFiles(target);
    emit TitleChanged(GetTitle());
    return true;
}

void CDocumentFramework::ReportError(const CDocumentError& error)
{
    if (!error.GetPreludeMessage().empty())
        MessageBoxes().ShowMessage(m_pDialogParent, QString::fromStdString(error.GetPreludeMessage()));
    MessageBoxes().ShowMessage(m_pDialogParent, QString::fromStdString(error.GetMessage()));
}

void CDocumentFramework::AddToRecentFiles(const QString& path)
{
    m_recentFiles.Add(path);
    emit RecentFilesChanged(m_recentFiles.GetPaths());
}
