#include "platform/session_bus.h"
#include "tests/support/scoped_environment.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

TEST(SessionBus, IsTheAddressGivenTheUsersSocketOrABusStartedHereWithinALimitElseNone)
{
    if (::access("/usr/bin/dbus-launch", X_OK) == 0)
        GTEST_SKIP() << "dbus-launch is installed: the test's own stands in for it on the path only";
    if (::access("/etc/machine-id", R_OK) != 0 && ::access("/var/lib/dbus/machine-id", R_OK) != 0)
        GTEST_SKIP() << "this machine has no machine id, which a bus for the display is started with";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path root = folder.path().toStdString();
    std::filesystem::create_directories(root / "run");
    std::filesystem::create_directories(root / "bin");
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", (root / "run").string());
    ScopedEnvironment path("PATH", (root / "bin").string() + ":/usr/bin:/bin");
    ScopedEnvironment display("DISPLAY", ":7");
    ScopedEnvironment address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);
    const auto settled = [] {
        const std::string set = settleSessionBus();
        const char* now = std::getenv("DBUS_SESSION_BUS_ADDRESS");
        EXPECT_EQ(set, now ? now : "");
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        return set;
    };

    EXPECT_EQ(settled(), "disabled:");
    // A launcher that finds or starts the display's bus; one that writes no
    // address, or never ends, leaves none within two seconds.
    const std::filesystem::path launcher = root / "bin" / "dbus-launch";
    const auto launcherDoing = [&launcher](const std::string& script) {
        std::ofstream(launcher) << "#!/bin/sh\n" << script << "\n";
        std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
    };
    launcherDoing(R"(case "$1" in --autolaunch=?*) printf 'unix:path=/run/display-bus\0\1\0\0\0\0\0\0\0' ;; esac)");
    EXPECT_EQ(settled(), "unix:path=/run/display-bus");
    launcherDoing("exit 1");
    EXPECT_EQ(settled(), "disabled:");
    launcherDoing("exec sleep 30");
    EXPECT_EQ(settled(), "disabled:");
    {
        ScopedEnvironment noDisplay("DISPLAY", std::nullopt);
        launcherDoing(R"(printf 'unix:path=/run/display-bus\0')");
        EXPECT_EQ(settled(), "disabled:") << "a bus for the display needs a display";
    }

    // An address given stays, and so does the user's bus socket.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nowhere", 1);
    EXPECT_EQ(settleSessionBus(), "");
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/nowhere");
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    const std::string socketPath = (root / "run" / "bus").string();
    ASSERT_LT(socketPath.size(), sizeof socketAddress.sun_path);
    socketPath.copy(socketAddress.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress), 0);
    EXPECT_EQ(settled(), "");
    ::close(listener);
}
