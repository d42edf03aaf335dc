#pragma once

#include <QString>

// Where the file dialogs start: in the folder of the open document
// (documentPath, empty for an untitled one), else in the folder of the file
// chosen last in any of them, else in the user's documents folder (their home
// where there is none).
QString fileDialogFolder(const QString& documentPath);
// A file name suggested in that folder; a path that has a folder stays as it is.
QString inFileDialogFolder(const QString& documentPath, const QString& fileName);
// Kept in the profile for the next dialog, also after a new start.
void rememberFileDialogFolder(const QString& chosenFile);
