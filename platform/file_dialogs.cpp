#include "platform/file_dialogs.h"

#include "platform/file_dialog_folder.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QRegularExpression>

#include <memory>

namespace {

// "*.*" means every file to the user; here it would hide names without a
// dot, so that filter lists every file of the folder. Choosing it keeps the
// typed name instead of turning its extension into "*".
void listEveryFileForStarDotStar(QFileDialog& dialog)
{
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto typedName = std::make_shared<QString>(name ? name->text() : QString());
    if (name) {
        QObject::connect(name, &QLineEdit::textChanged, &dialog, [typedName](const QString& text) {
            if (!text.endsWith(QStringLiteral(".*")))
                *typedName = text;
        });
    }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, name, typedName](const QString& filter) {
        if (!filter.endsWith(QStringLiteral("(*.*)")))
            return;
        if (auto* model = dialog.findChild<QFileSystemModel*>())
            model->setNameFilters({QStringLiteral("*")});
        if (name && name->text().endsWith(QStringLiteral(".*")))
            name->setText(*typedName);
    });
}

class QtFileDialogs : public FileDialogs {
public:
    QString getOpenFileName(QWidget* parent, const QString& title, const QString& folder,
                            const QString& filters) override
    {
        QFileDialog dialog(parent, title, folder, filters);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        listEveryFileForStarDotStar(dialog);
        return chosenFile(dialog);
    }

    QString getSaveFileName(QWidget* parent, const QString& title, const QString& suggestedPath, const QString& filters,
                            const QString& defaultSuffix) override
    {
        QFileDialog dialog(parent, title, QString(), filters);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        // A name typed without suffix gets the one of the file type chosen last.
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
            static const QRegularExpression kOneSuffix(QStringLiteral("\\(\\*\\.(\\w+)\\)$"));
            if (const QRegularExpressionMatch match = kOneSuffix.match(filter); match.hasMatch())
                dialog.setDefaultSuffix(match.captured(1));
        });
        dialog.selectFile(suggestedPath);
        listEveryFileForStarDotStar(dialog);
        return chosenFile(dialog);
    }

private:
    static QString chosenFile(QFileDialog& dialog)
    {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        const QString chosen = dialog.selectedFiles().constFirst();
        rememberFileDialogFolder(chosen);
        return chosen;
    }
};

// The stand-in a test installed, or null.
FileDialogs*& installedFileDialogs()
{
    static FileDialogs* installed = nullptr;
    return installed;
}

} // namespace

FileDialogs& fileDialogs()
{
    static QtFileDialogs real;
    return installedFileDialogs() ? *installedFileDialogs() : real;
}

void setFileDialogs(FileDialogs* dialogs)
{
    installedFileDialogs() = dialogs;
}
