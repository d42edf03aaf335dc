#pragma once

#include <QString>

class QWidget;

// The file dialogs of the document framework, behind an interface so that
// tests can choose files. An empty result means the user cancelled; the
// folder of a chosen file is where the next dialog starts (file_dialog_folder.h).
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filters: "Filetype Jhavari (*.con);;Alle Dateien (*.*)"
    virtual QString getOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& filters) = 0;
    // The dialog starts in the folder of suggestedPath.
    // defaultSuffix is added by the dialog when the typed name has none.
    virtual QString getSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                                    const QString& filters, const QString& defaultSuffix) = 0;
};

// The real file dialogs; a test may put a double in place of it.
FileDialogs& fileDialogs();
void setFileDialogs(FileDialogs* dialogs);
