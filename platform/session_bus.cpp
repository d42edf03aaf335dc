#include "platform/session_bus.h"

#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

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
    return ::access("/usr/bin/dbus-launch", X_OK) == 0 || !QStandardPaths::findExecutable("dbus-launch").isEmpty();
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
