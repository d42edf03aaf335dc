#pragma once

class CMainFrame;
class CVersenkwerkDoc;
class QWidget;

// Makes the main view inside the frame, runs its first set-up and connects
// the frame's commands, status bar and activation to it.
QWidget* MakeMainView(CVersenkwerkDoc& doc, CMainFrame& frame);
