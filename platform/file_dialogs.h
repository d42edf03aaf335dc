#pragma once

#include <QString>

class QWidget;

// The file dialogs of the document framework, behind an interface so that
// tests can choose files. An empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filters: "Filetype Jhavari (*.con);;Alle Dateien (*.*)"
    virtual QString getOpenFileName(QWidget* parent, const QString& title, const QString& filters) = 0;
    // defaultSuffix is added by the dialog when the typed name has none.
    virtual QString getSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                                    const QString& filters, const QString& defaultSuffix) = 0;
};

// The real file dialogs; a test may put a double in place of it.
FileDialogs& fileDialogs();
void setFileDialogs(FileDialogs* dialogs);
