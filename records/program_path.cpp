#include "records/program_path.h"

#include <climits>
#include <filesystem>
#include <unistd.h>

namespace {

struct ProgramFolders {
    std::string m_program;
    std::string m_installedFiles;
    std::string m_installedComponent;
};

ProgramFolders& storedFolders()
{
    static ProgramFolders folders;
    return folders;
}

std::string& storedProgramDirectory()
{
    return storedFolders().m_program;
}

// The folder reached from the program directory by the install tree's
// relative path, when it exists.
std::string installedFolder(const std::string& programFolder, const char* relativePath)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(programFolder) / relativePath;
    if (programFolder.empty() || !std::filesystem::is_directory(folder, error))
        return {};
    return folder.lexically_normal().string();
}

constexpr std::size_t kMaxProgramPath = 1000;

} // namespace

bool initProgramPath()
{
    char buffer[kMaxProgramPath + 1];
    const ssize_t length = readlink("/proc/self/exe", buffer, kMaxProgramPath);
    if (length <= 0 || static_cast<std::size_t>(length) >= kMaxProgramPath) {
        storedFolders() = {};
        return false;
    }
    return initProgramPathFrom(std::string(buffer, static_cast<std::size_t>(length)));
}

bool initProgramPathFrom(const std::string& executablePath)
{
    const std::size_t separator = executablePath.rfind('/');
    ProgramFolders& folders = storedFolders();
    folders.m_program = separator == std::string::npos ? std::string() : executablePath.substr(0, separator);
    folders.m_installedFiles = installedFolder(folders.m_program, JHAVARI_FILES_FROM_PROGRAM);
    folders.m_installedComponent = installedFolder(folders.m_program, JHAVARI_COMPONENT_FROM_PROGRAM);
    return true;
}

const std::string& programDirectory()
{
    return storedProgramDirectory();
}

const std::string& installedFilesDirectory()
{
    return storedFolders().m_installedFiles;
}

const std::string& installedComponentDirectory()
{
    return storedFolders().m_installedComponent;
}

std::string programFilePath(const std::string& fileName)
{
    const std::string& folder = installedFilesDirectory().empty() ? programDirectory() : installedFilesDirectory();
    if (fileName.empty())
        return folder;
    return folder + '/' + fileName;
}
