#include "platform/session_bus.h"

#include <QStandardPaths>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>

extern char** environ;

namespace {

// An address of no known kind: asking for the bus fails at once.
constexpr const char* kNoBus = "disabled:";
constexpr std::chrono::milliseconds kLongestLaunch{2000};

bool isSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

bool hasUserBusSocket()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime)
        return false;
    struct stat status { };
    return ::stat((std::string(runtime) + "/bus").c_str(), &status) == 0 && S_ISSOCK(status.st_mode);
}

// Where the bus library looks for it: its own folder first, then the path.
std::string dbusLaunch()
{
    if (::access("/usr/bin/dbus-launch", X_OK) == 0)
        return "/usr/bin/dbus-launch";
    return QStandardPaths::findExecutable(QStringLiteral("dbus-launch")).toStdString();
}

std::string machineId()
{
    for (const char* file : {"/var/lib/dbus/machine-id", "/etc/machine-id"}) {
        std::string id;
        std::ifstream in(file);
        if (in >> id)
            return id;
    }
    return {};
}

// The bus dbus-launch finds or starts for the display: its address comes
// first in what it writes, ended by a zero byte.
std::optional<std::string> launchBusForDisplay(const std::string& launcher, const std::string& id)
{
    int output[2];
    if (::pipe2(output, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string autolaunch = "--autolaunch=" + id;
    char* arguments[] = {const_cast<char*>(launcher.c_str()), const_cast<char*>(autolaunch.c_str()),
                         const_cast<char*>("--binary-syntax"), const_cast<char*>("--close-stderr"), nullptr};
    pid_t child = 0;
    const bool started = ::posix_spawn(&child, launcher.c_str(), &actions, nullptr, arguments, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);
    std::string written;
    const auto deadline = std::chrono::steady_clock::now() + kLongestLaunch;
    while (started) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{output[0], POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            break;
        char chunk[256];
        const ssize_t count = ::read(output[0], chunk, sizeof chunk);
        if (count <= 0)
            break;
        written.append(chunk, static_cast<std::size_t>(count));
    }
    ::close(output[0]);
    // The launcher ends once it has written; the bus it started lives on by itself.
    while (started && ::waitpid(child, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() >= deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            break;
        }
        ::usleep(10'000);
    }
    const std::size_t end = written.find('\0');
    if (end == std::string::npos || end == 0)
        return std::nullopt;
    return written.substr(0, end);
}

} // namespace

std::string settleSessionBus()
{
    if (isSet("DBUS_SESSION_BUS_ADDRESS") || hasUserBusSocket())
        return {};
    const std::string launcher = dbusLaunch();
    const std::string id = machineId();
    std::optional<std::string> address;
    if (isSet("DISPLAY") && !launcher.empty() && !id.empty())
        address = launchBusForDisplay(launcher, id);
    const std::string chosen = address.value_or(kNoBus);
    ::setenv("DBUS_SESSION_BUS_ADDRESS", chosen.c_str(), 1);
    return chosen;
}
