#include "program_path.h"

#include <climits>
#include <unistd.h>

namespace {

std::string& ProgramDirectory()
{
    static std::string directory;
    return directory;
}

constexpr std::size_t kMaxProgramPath = 1000;

} // namespace

bool InitProgramPath()
{
    char buffer[kMaxProgramPath + 1];
    const ssize_t length = readlink("/proc/self/exe", buffer, kMaxProgramPath);
    if (length <= 0 || static_cast<std::size_t>(length) >= kMaxProgramPath) {
        ProgramDirectory().clear();
        return false;
    }
    std::string path(buffer, static_cast<std::size_t>(length));
    const std::size_t separator = path.rfind('/');
    ProgramDirectory() = separator == std::string::npos ? std::string() : path.substr(0, separator);
    return true;
}

const std::string& GetProgramDirectory()
{
    return ProgramDirectory();
}

std::string GetProgramFilePath(const std::string& fileName)
{
    if (fileName.empty())
        return ProgramDirectory();
    return ProgramDirectory() + '/' + fileName;
}
