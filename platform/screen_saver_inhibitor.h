#pragma once

#include <QObject>
#include <QVariant>

class QDBusPendingCallWatcher;

// Asks the desktop over the session bus not to blank or lock the screen: its
// screen saver service (GNOME, KDE Plasma, Xfce, xscreensaver), or inside a
// sandbox (Flatpak, Snap) the desktop portal. Nothing waits for the answer:
// an inhibition ended before it was granted is ended once it is, and without
// a bus or a service nothing happens.
class ScreenSaverInhibitor : public QObject {
    Q_OBJECT
public:
    explicit ScreenSaverInhibitor(QObject* parent = nullptr);

    void setInhibited(bool inhibited);

private:
    void ask();
    void onAnswer(QDBusPendingCallWatcher* call);
    void release();

    const bool m_throughPortal;
    bool m_wanted = false;
    bool m_asking = false;
    // What ends the inhibition: the service's cookie, or the portal's request.
    QVariant m_held;
};
