#include "platform/file_dialog_folder.h"
#include "platform/file_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The files the dialog lists in folder, once at least minCount are there
// (or after a while).
QStringList listedFiles(QFileDialog& dialog, const QString& folder, int minCount)
{
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (!model)
        return {QStringLiteral("<no file list>")};
    const QModelIndex parent = model->index(folder);
    QStringList names;
    // A short list is what the comparison afterwards shows.
    (void)QTest::qWaitFor(
        [&] {
            names.clear();
            for (int row = 0; row < model->rowCount(parent); ++row) {
                if (!model->isDir(model->index(row, 0, parent)))
                    names.append(model->index(row, 0, parent).data().toString());
            }
            names.sort();
            return names.size() >= minCount;
        },
        2000);
    return names;
}

} // namespace

TEST(FileDialogs, AllFilesListsAlsoNamesWithoutExtension)
{
    QTemporaryDir folder;
    for (const char* name : {"README", "morning.con", "notes.txt"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString path = QDir(folder.path()).canonicalPath();
    QStringList documents;
    QStringList everything;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->directory().canonicalPath(), path) << "it starts in the folder given";
        documents = listedFiles(*dialog, path, 1);
        // The user picks "Alle Dateien (*.*)" from the file types.
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_Down);
        ASSERT_EQ(types->currentText(), "Alle Dateien (*.*)");
        everything = listedFiles(*dialog, path, 3);
        dialog->reject();
    });
    EXPECT_TRUE(fileDialogs()
                    .getOpenFileName(nullptr, "Öffnen", path, "Filetype Jhavari (*.con);;Alle Dateien (*.*)")
                    .isEmpty());
    EXPECT_EQ(documents, QStringList({"morning.con"}));
    EXPECT_EQ(everything, QStringList({"README", "morning.con", "notes.txt"}));
}

TEST(FileDialogs, AllFilesInTheSaveDialogKeepsTheTypedName)
{
    QTemporaryDir folder;
    const QString path = QDir(folder.path()).canonicalPath();
    QString shownName;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(types, nullptr);
        ASSERT_NE(name, nullptr);
        QTest::keyClick(types, Qt::Key_Down);
        ASSERT_EQ(types->currentText(), "Alle Dateien (*.*)");
        shownName = name->text();
        QTest::keyClick(name, Qt::Key_Return);
    });
    const QString chosen = fileDialogs().getSaveFileName(nullptr, "Speichern unter", path + "/evening.con",
                                                         "Filetype Jhavari (*.con);;Alle Dateien (*.*)", "con");
    EXPECT_EQ(shownName, "evening.con");
    EXPECT_EQ(chosen, path + "/evening.con");
    EXPECT_EQ(fileDialogFolder({}), path) << "the next dialog starts where this one ended";
}

TEST(FileDialogs, StartInTheDocumentsFolderElseTheFolderUsedLastElseTheUsersDocuments)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QDir(documents).removeRecursively();
    EXPECT_EQ(fileDialogFolder({}), QDir::homePath()) << "no documents folder";
    ASSERT_TRUE(QDir().mkpath(documents));
    EXPECT_EQ(fileDialogFolder({}), documents);
    EXPECT_EQ(inFileDialogFolder({}, "Median.png"), documents + "/Median.png");

    QTemporaryDir used;
    rememberFileDialogFolder(used.filePath("evening.con"));
    EXPECT_EQ(fileDialogFolder({}), used.path());
    QTemporaryDir documentFolder;
    EXPECT_EQ(inFileDialogFolder(documentFolder.filePath("morning.con"), "Median.png"),
              documentFolder.filePath("Median.png"));
    EXPECT_EQ(inFileDialogFolder({}, "/elsewhere/Median.png"), "/elsewhere/Median.png");

    ASSERT_TRUE(QDir(used.path()).removeRecursively());
    EXPECT_EQ(fileDialogFolder({}), documents) << "the folder used last is gone";
}
