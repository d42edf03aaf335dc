#include "platform/session_bus.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

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
bool canRunDbusLaunch()
{
    if (::access("/usr/bin/dbus-launch", X_OK) == 0)
        return true;
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/bin:/usr/bin";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const std::string_view folder = end == 0 ? std::string_view(".") : folders.substr(0, end);
        if (::access((std::string(folder) + "/dbus-launch").c_str(), X_OK) == 0)
            return true;
        folders.remove_prefix(std::min(end + 1, folders.size()));
    }
    return false;
}

} // namespace

bool markUnreachableSessionBus()
{
    if (isSet("DBUS_SESSION_BUS_ADDRESS") || hasUserBusSocket() || canRunDbusLaunch())
        return false;
    // An address of no known kind: asking for the bus fails at once.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    return true;
}
