#pragma once

#include "controls/link_opener.h"

#include <QUrl>

// Opens an address through the desktop's URL handlers, falling back to
// running xdg-open when they decline. xdg-open's exit status says what failed.
class DesktopLinkOpener : public LinkOpener {
public:
    using OpenUrl = std::function<bool(const QUrl& url)>;

    // The two ways of opening are parameters so that tests can point them at
    // stand-ins; by default they are QDesktopServices::openUrl and xdg-open.
    explicit DesktopLinkOpener(OpenUrl openUrl = {}, QString fallbackProgram = QStringLiteral("xdg-open"));

    void open(const QString& address, Done done) override;

    // A fallback still running after this long has started the browser.
    static constexpr int kFallbackPatienceMs = 5000;

private:
    OpenUrl m_openUrl;
    QString m_fallbackProgram;
};
