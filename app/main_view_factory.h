#pragma once

class MainWindow;
class DocumentEditor;
class QWidget;

// Makes the main view inside the frame, runs its first set-up and connects
// the frame's commands, status bar and activation to it.
QWidget* makeMainView(DocumentEditor& editor, MainWindow& frame);
