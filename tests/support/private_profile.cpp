#include "tests/support/private_profile.h"

#include "records/program_path.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

namespace fs = std::filesystem;

PrivateProfile::PrivateProfile()
{
    std::string pattern = (fs::temp_directory_path() / "jhavari-profile-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a private home folder");
    m_home = pattern;

    // A sound server already running for this test (a private one started by a script) stays
    // reachable when the runtime folder it lives in is replaced.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && !std::getenv("PULSE_SERVER")) {
        const fs::path socket = fs::path(runtime) / "pulse" / "native";
        std::error_code ignored;
        if (fs::exists(socket, ignored))
            ::setenv("PULSE_SERVER", ("unix:" + socket.string()).c_str(), 1);
    }

    const struct {
        const char* variable;
        const char* folder;
    } folders[] = {{"XDG_CONFIG_HOME", "config"},
                   {"XDG_CONFIG_DIRS", "etc"},
                   {"XDG_DATA_HOME", "data"},
                   {"XDG_CACHE_HOME", "cache"},
                   {"XDG_RUNTIME_DIR", "run"}};
    for (const auto& [variable, folder] : folders) {
        const fs::path path = fs::path(m_home) / folder;
        fs::create_directories(path);
        ::setenv(variable, path.c_str(), 1);
    }
    // The runtime folder must belong to the user alone, or Qt ignores it.
    ::chmod((fs::path(m_home) / "run").c_str(), 0700);
    ::setenv("HOME", m_home.c_str(), 1);

    // As the program does at start-up: files shipped next to the program (default sounds, the
    // chart component) are found next to the test program.
    initProgramPath();
}

PrivateProfile::~PrivateProfile()
{
    std::error_code ignored;
    fs::remove_all(m_home, ignored);
}
