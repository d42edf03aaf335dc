#pragma once

#include "controls/link_opener.h"

#include <QUrl>

// Opens an address by running xdg-open, whose exit status says what failed;
// where xdg-open cannot be run, through the desktop's URL handlers.
class DesktopLinkOpener : public LinkOpener {
public:
    using OpenUrl = std::function<bool(const QUrl& url)>;

    // The two ways of opening are parameters so that tests can point them at
    // stand-ins; by default they are QDesktopServices::openUrl and xdg-open.
    explicit DesktopLinkOpener(OpenUrl openUrl = {}, QString xdgOpen = QStringLiteral("xdg-open"));

    void open(const QString& address, Done done) override;

    // An xdg-open still running after this long has started the browser.
    static constexpr int kPatienceMs = 5000;

private:
    OpenUrl m_openUrl;
    QString m_xdgOpen;
};
