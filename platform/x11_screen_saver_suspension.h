#pragma once

#include <QObject>

// Keeps the X server's own screen saver from starting, which a plain X
// session without a desktop's screen saver service blanks the screen by.
// Asked on Qt's connection, so the server ends it by itself when the program
// ends. Nothing happens outside X11 or where the server lacks the extension.
class X11ScreenSaverSuspension : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    void setSuspended(bool suspended);

private:
    bool m_suspended = false;
};
