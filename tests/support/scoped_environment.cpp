#include "tests/support/scoped_environment.h"

#include <cstdlib>
#include <ctime>

namespace {

void setOrRemove(const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        ::setenv(name.c_str(), value->c_str(), 1);
    else
        ::unsetenv(name.c_str());
}

} // namespace

ScopedEnvironment::ScopedEnvironment(const char* name, const std::optional<std::string>& value) : m_name(name)
{
    if (const char* old = std::getenv(name))
        m_old = old;
    setOrRemove(m_name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    setOrRemove(m_name, m_old);
}

ScopedTimeZone::ScopedTimeZone(const char* zone) : m_zone("TZ", std::string(zone))
{
    ::tzset();
}

ScopedTimeZone::ZoneReread::~ZoneReread()
{
    ::tzset();
}
