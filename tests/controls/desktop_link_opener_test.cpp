#include "controls/desktop_link_opener.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A stand-in for xdg-open that notes its argument and exits with the given status.
QString fakeXdgOpen(const QTemporaryDir& folder, int exitStatus)
{
    const QString path = folder.filePath(QStringLiteral("open-%1").arg(exitStatus));
    QFile script(path);
    script.open(QIODevice::WriteOnly);
    script.write(
        QStringLiteral("#!/bin/sh\necho \"$1\" > \"%1.argument\"\nexit %2\n").arg(path).arg(exitStatus).toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner);
    return path;
}

std::optional<LinkOpener::Result> openWith(DesktopLinkOpener& opener)
{
    std::optional<LinkOpener::Result> answer;
    opener.open(QStringLiteral("https://www.holmvard.com/jhavari-training"),
                [&answer](LinkOpener::Result result) { answer = result; });
    static_cast<void>(QTest::qWaitFor([&answer] { return answer.has_value(); }, 5000));
    return answer;
}

TEST(DesktopLinkOpener, ReadsWhatFailedFromXdgOpensExitStatusAndWithoutItAsksTheDesktop)
{
    QTemporaryDir folder;
    const auto declines = [](const QUrl&) { return false; };
    // The desktop's URL handler only starts xdg-open and answers yes whatever comes of it.
    bool desktopAsked = false;
    const auto wouldStart = [&desktopAsked](const QUrl&) { return desktopAsked = true; };
    const std::pair<int, LinkOpener::Result> cases[] = {
        {0, {LinkOpener::Outcome::Opened}},
        {3, {LinkOpener::Outcome::HandlerNotFound}},
        {4, {LinkOpener::Outcome::HandlerFailed}},
        {1, {LinkOpener::Outcome::OtherError, 1}},
    };
    for (const auto& [exitStatus, expected] : cases) {
        const QString program = fakeXdgOpen(folder, exitStatus);
        DesktopLinkOpener opener(wouldStart, program);
        const auto result = openWith(opener);
        ASSERT_TRUE(result) << exitStatus;
        EXPECT_EQ(result->outcome, expected.outcome) << exitStatus;
        EXPECT_EQ(result->errorCode, expected.errorCode) << exitStatus;
        QFile argument(program + ".argument");
        ASSERT_TRUE(argument.open(QIODevice::ReadOnly));
        EXPECT_EQ(argument.readAll().trimmed(), "https://www.holmvard.com/jhavari-training");
    }
    EXPECT_FALSE(desktopAsked);

    DesktopLinkOpener withoutXdgOpen(declines, folder.filePath(QStringLiteral("missing")));
    const auto result = openWith(withoutXdgOpen);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->outcome, LinkOpener::Outcome::NoHandler);

    QUrl handled;
    DesktopLinkOpener desktop(
        [&handled](const QUrl& url) {
            handled = url;
            return true;
        },
        folder.filePath("missing"));
    EXPECT_EQ(openWith(desktop)->outcome, LinkOpener::Outcome::Opened);
    EXPECT_EQ(handled, QUrl("https://www.holmvard.com/jhavari-training"));
}

} // namespace
