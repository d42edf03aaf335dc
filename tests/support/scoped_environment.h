#pragma once

#include <optional>
#include <string>

// Sets or removes one environment variable and puts the old value back at the end of the scope,
// so that a test never leaves its changes to the tests after it.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const std::optional<std::string>& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

// Sets TZ (a POSIX rule needs no zone files) and makes the C library read it at once, and again
// when the old value is back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone);

private:
    struct ZoneReread {
        ~ZoneReread();
    };
    ZoneReread m_reread; // destroyed after m_zone has put TZ back
    ScopedEnvironment m_zone;
};
