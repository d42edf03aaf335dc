#include "app/interval_import.h"

#include "app/document_error_message.h"
#include "editing/document_editor.h"
#include "platform/file_dialog_folder.h"
#include "platform/file_dialogs.h"
#include "platform/message_box.h"
#include "platform/native_path.h"
#include "records/document_error.h"
#include "records/import_source.h"
#include "records/interval_merge.h"

#include <QFileInfo>

namespace {

constexpr const char* kFilters = "Jhavari-Dateien und Exporte (*.con *.csv *.json);;Filetype Jhavari (*.con);;"
                                 "CSV-Dateien (*.csv);;JSON-Dateien (*.json);;Alle Dateien (*.*)";

} // namespace

bool importIntervalsInto(DocumentEditor& editor, QWidget* parent)
{
    const QString chosen = fileDialogs().getOpenFileName(parent, QStringLiteral("Intervalle importieren"),
                                                         fileDialogFolder(pathFromNative(editor.document().pathName())),
                                                         QString::fromUtf8(kFilters));
    if (chosen.isEmpty())
        return false;
    const std::string path = nativePath(QFileInfo(chosen).absoluteFilePath());
    ImportedTypes source;
    try {
        source = readImportSource(path);
    } catch (const DocumentError& error) {
        showDocumentError(parent, error);
        return false;
    }
    const IntervalMerge merge(editor.document(), source);
    if (merge.numbersExhausted()) {
        messageBoxes().showMessage(parent, QString::fromUtf8(kMergeNumbersExhaustedMessage));
        return false;
    }
    editor.beginStep();
    for (const InsertRecords& edit : merge.edits())
        editor.applyStep(edit, QString());
    editor.endStep(QStringLiteral("import intervals"));
    messageBoxes().showMessage(
        parent, QStringLiteral("Intervals imported from %1:\n\n%2")
                    .arg(QFileInfo(chosen).fileName(), QString::fromStdString(merge.countsText()).trimmed()));
    return merge.addedCount() > 0;
}
