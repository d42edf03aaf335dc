#include "file_dialogs.h"

#include <QFileDialog>

namespace {

class QtFileDialogs : public IFileDialogs {
public:
    QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filters) override
    {
        QFileDialog dialog(parent, title, QString(), filters);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }

    QString GetSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath,
                            const QString& filters, const QString& defaultSuffix) override
    {
        QFileDialog dialog(parent, title, QString(), filters);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        dialog.selectFile(suggestedPath);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
};

IFileDialogs* g_pFileDialogs = nullptr;

} // namespace

IFileDialogs& FileDialogs()
{
    static QtFileDialogs real;
    return g_pFileDialogs ? *g_pFileDialogs : real;
}

void SetFileDialogs(IFileDialogs* dialogs)
{
    g_pFileDialogs = dialogs;
}
