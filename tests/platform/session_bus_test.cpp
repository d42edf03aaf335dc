#include "platform/session_bus.h"
#include "tests/support/scoped_environment.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

TEST(SessionBus, IsMarkedUnreachableOnlyWhereNoAddressSocketOrLauncherLeadsToOne)
{
    if (::access("/usr/bin/dbus-launch", X_OK) == 0)
        GTEST_SKIP() << "dbus-launch is installed: a bus can always be started here";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::filesystem::path root = folder.path().toStdString();
    std::filesystem::create_directories(root / "run");
    std::filesystem::create_directories(root / "bin");
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", (root / "run").string());
    ScopedEnvironment path("PATH", (root / "bin").string());
    ScopedEnvironment address("DBUS_SESSION_BUS_ADDRESS", std::nullopt);

    EXPECT_TRUE(markUnreachableSessionBus());
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");

    // An address given stays.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nowhere", 1);
    EXPECT_FALSE(markUnreachableSessionBus());
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/nowhere");

    // A launcher on the path may start a bus.
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    const std::filesystem::path launcher = root / "bin" / "dbus-launch";
    std::ofstream(launcher) << "#!/bin/sh\n";
    std::filesystem::permissions(launcher, std::filesystem::perms::owner_all);
    EXPECT_FALSE(markUnreachableSessionBus());
    EXPECT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);

    // The user's bus socket is found without anything started.
    std::filesystem::remove(launcher);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un socketAddress{};
    socketAddress.sun_family = AF_UNIX;
    const std::string socketPath = (root / "run" / "bus").string();
    ASSERT_LT(socketPath.size(), sizeof socketAddress.sun_path);
    socketPath.copy(socketAddress.sun_path, socketPath.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress), 0);
    EXPECT_FALSE(markUnreachableSessionBus());
    EXPECT_EQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
    ::close(listener);
}
