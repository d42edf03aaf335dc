#include "records/program_path.h"

#include <climits>
#include <unistd.h>

namespace {

std::string& storedProgramDirectory()
{
    static std::string directory;
    return directory;
}

constexpr std::size_t kMaxProgramPath = 1000;

} // namespace

bool initProgramPath()
{
    char buffer[kMaxProgramPath + 1];
    const ssize_t length = readlink("/proc/self/exe", buffer, kMaxProgramPath);
    if (length <= 0 || static_cast<std::size_t>(length) >= kMaxProgramPath) {
        storedProgramDirectory().clear();
        return false;
    }
    std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t separator = path.rfind('/');
    storedProgramDirectory() = separator == std::string::npos ? std::string() : path.substr(0, separator);
    return true;
}

const std::string& programDirectory()
{
    return storedProgramDirectory();
}

std::string programFilePath(const std::string& fileName)
{
    if (fileName.empty())
        return programDirectory();
    return programDirectory() + '/' + fileName;
}
