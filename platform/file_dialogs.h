#pragma once

#include <QString>

class QWidget;

// The file dialogs of the document framework, behind an interface so that
// tests can choose files. An empty result means the user cancelled.
class IFileDialogs {
public:
    virtual ~IFileDialogs() = default;
    // filters: "Filetype Jhavari (*.con);;Alle Dateien (*.*)"
    virtual QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filters) = 0;
    // defaultSuffix is added by the dialog when the typed name has none.
    virtual QString GetSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                                    const QString& filters, const QString& defaultSuffix) = 0;
};

// The real file dialogs; a test may put a double in place of it.
IFileDialogs& FileDialogs();
void SetFileDialogs(IFileDialogs* dialogs);
