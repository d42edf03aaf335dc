#pragma once

#include <QString>

class QWidget;

// How the measuring mode is worked: the left button or Space, the right button or Backspace, and ESC.
QString measuringControlsHelp();

// Gives the main form's controls that have no text of their own the text of
// the label beside them as accessible name, and a description, so that a
// screen reader announces them (the time displays keep the time as their
// name); the measuring-mode button and the banner get the measuring controls
// as tool tip.
void describeFormControls(QWidget& form);
