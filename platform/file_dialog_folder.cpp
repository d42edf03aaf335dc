#include "platform/file_dialog_folder.h"

#include "platform/profile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr const char* kLastFolderEntry = "Settings/LastFolder";

} // namespace

QString fileDialogFolder(const QString& documentPath)
{
    if (!documentPath.isEmpty())
        return QFileInfo(documentPath).absolutePath();
    const QString last = openProfile()->value(kLastFolderEntry).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString inFileDialogFolder(const QString& documentPath, const QString& fileName)
{
    if (QFileInfo(fileName).isAbsolute())
        return fileName;
    return QDir(fileDialogFolder(documentPath)).filePath(fileName);
}

void rememberFileDialogFolder(const QString& chosenFile)
{
    openProfile()->setValue(kLastFolderEntry, QFileInfo(chosenFile).absolutePath());
}
