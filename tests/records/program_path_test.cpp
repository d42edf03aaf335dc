#include "records/document_settings.h"
#include "records/program_path.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

// A folder removed with everything in it at the end of the test.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        char pattern[] = "/tmp/program_path_XXXXXX";
        m_path = ::mkdtemp(pattern);
    }
    ~TemporaryFolder()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
        initProgramPath();
    }
    fs::path path() const { return m_path; }

private:
    fs::path m_path;
};

} // namespace

TEST(ProgramPath, FilesLieBesideTheProgramInTheBuildFolderAndInTheInstallTreeWhenInstalled)
{
    TemporaryFolder root;
    const fs::path build = root.path() / "build/bin";
    fs::create_directories(build);
    ASSERT_TRUE(initProgramPathFrom((build / "jhavari-training").string()));
    EXPECT_EQ(programDirectory(), build.string());
    EXPECT_EQ(programFilePath("EndExercise.wav"), (build / "EndExercise.wav").string());
    EXPECT_EQ(programFilePath(""), build.string());
    EXPECT_TRUE(installedFilesDirectory().empty());
    EXPECT_TRUE(installedComponentDirectory().empty());

    const fs::path prefix = root.path() / "usr";
    const fs::path data = prefix / INSTALL_DATADIR / "jhavari-training";
    const fs::path component = prefix / INSTALL_LIBDIR / "jhavari-training";
    fs::create_directories(prefix / INSTALL_BINDIR);
    fs::create_directories(data);
    fs::create_directories(component);
    ASSERT_TRUE(initProgramPathFrom((prefix / INSTALL_BINDIR / "jhavari-training").string()));
    EXPECT_EQ(programDirectory(), (prefix / INSTALL_BINDIR).string());
    EXPECT_EQ(installedFilesDirectory(), data.string());
    EXPECT_EQ(installedComponentDirectory(), component.string());
    EXPECT_EQ(programFilePath(""), data.string());
    const DocumentSettings defaults;
    EXPECT_EQ(defaults.m_soundFiles[0], (data / "BeginIntervall.wav").string())
        << "new documents use the installed sounds";
}
