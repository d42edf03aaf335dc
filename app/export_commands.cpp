#include "app/export_commands.h"

#include "platform/file_dialog_folder.h"
#include "platform/file_dialogs.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "records/document_error.h"
#include "records/document_export.h"
#include "records/training_document.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fstream>

namespace {

struct ExportKind {
    const char* title;
    const char* filters;
    const char* suffix;
    void (*write)(const TrainingDocument&, std::ostream&);
};

ExportKind exportKind(ExportFormat format)
{
    if (format == ExportFormat::Json)
        return {"Als JSON exportieren", "JSON-Dateien (*.json);;Alle Dateien (*.*)", "json", exportJson};
    return {"Als CSV exportieren", "CSV-Dateien (*.csv);;Alle Dateien (*.*)", "csv", exportCsv};
}

// Beside the document and named after it; an untitled one by its title, where the file dialogs start.
QString suggestedPath(const TrainingDocument& doc, const char* suffix)
{
    const QString path = pathFromNative(doc.pathName());
    if (path.isEmpty())
        return inFileDialogFolder({}, QString::fromStdString(doc.title()) + '.' + suffix);
    const QFileInfo info(path);
    return info.dir().filePath(info.completeBaseName() + '.' + suffix);
}

} // namespace

bool exportDocumentAs(const TrainingDocument& doc, ExportFormat format, QWidget* parent)
{
    const ExportKind kind = exportKind(format);
    const QString chosen =
        fileDialogs().getSaveFileName(parent, QString::fromUtf8(kind.title), suggestedPath(doc, kind.suffix),
                                      QString::fromUtf8(kind.filters), kind.suffix);
    if (chosen.isEmpty())
        return false;
    const std::string path = nativePath(QFileInfo(chosen).absoluteFilePath());
    errno = 0;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (file) {
        kind.write(doc, file);
        file.close();
    }
    if (!file) {
        const int error = errno;
        const DocumentError failure =
            error != 0 ? DocumentError::fromErrno(error, path) : DocumentError(DocumentError::Cause::Generic, path);
        messageBoxes().showMessage(parent, QString::fromStdString(failure.message()));
        return false;
    }
    return true;
}
