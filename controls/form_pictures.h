#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QPoint>

// A PNG picture compiled into the program, read once and then shared.
QPixmap pngPicture(const QString& resourcePath);

// The pictures compiled into the controls library, ":/bitmaps/<number>.png".
QPixmap formPicture(int number);

// Decodes the form's pictures ahead, on any thread: the window being built
// meanwhile on the main thread then finds them ready.
void decodeFormPicturesAhead();

// The pointer shown while the measuring mode holds the mouse: a ring around a
// dot, 32 x 32, pointing with the dot's centre.
constexpr int kMeasuringCursorResource = 172;
constexpr QPoint kMeasuringCursorHotSpot{15, 15};
QCursor measuringCursor();

// A faint brush circle on transparency, drawn centred behind the interval list's rows.
constexpr int kListBackgroundResource = 171;
QPixmap listBackground();

// The program's icon for its windows, in 16, 32 and 48 pixels; the desktop
// takes larger ones from the icon theme the package installs.
constexpr int kProgramIconResource = 128;
QIcon programIcon();
