#include "document.h"
#include "document_error.h"
#include "document_file.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

CVersenkwerkDoc& Sample(CVersenkwerkDoc& doc)
{
    doc.OnNewDocument();
    doc.m_settings.m_nWaveVolume = 3;
    doc.m_settings.m_nMainVolume = 14;
    doc.FindTrainingType("Kanika Jhavari (Vipassana Bhavana)");
    for (int m = 1; m <= 2; ++m) {
        for (int run = 1; run <= 2; ++run) {
            CDataEntry e;
            e.m_timeStart = 1700000000 + m * 1000 + run * 100;
            e.m_timeEnd = e.m_timeStart + 60;
            e.m_nMeasurement = static_cast<std::uint16_t>(m);
            e.m_nRun = static_cast<std::uint16_t>(run);
            e.m_bUddhacca = run == 2;
            doc.m_pCurrentType->m_aEntries.Add(e);
        }
    }
    return doc;
}

CDocumentError::Cause OpenFailure(CVersenkwerkDoc& doc, const std::string& path, std::string* message = nullptr)
{
    try {
        OpenDocumentFile(doc, path);
    } catch (const CDocumentError& error) {
        if (message)
            *message = error.GetMessage();
        return error.GetCause();
    }
    ADD_FAILURE() << "opening " << path << " succeeded";
    return CDocumentError::Cause::Generic;
}

CDocumentError::Cause SaveFailure(CVersenkwerkDoc& doc, const std::string& path)
{
    try {
        SaveDocumentFile(doc, path);
    } catch (const CDocumentError& error) {
        return error.GetCause();
    }
    ADD_FAILURE() << "saving " << path << " succeeded";
    return CDocumentError::Cause::Generic;
}

std::size_t FileCount(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(DocumentFile, SaveAndOpenRoundTripSetsPathTitleAndClearsModified)
{
    TempDir dir;
    CVersenkwerkDoc doc;
    Sample(doc).SetModifiedFlag();
    const std::string path = dir.File("practice.con");
    SaveDocumentFile(doc, path);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_EQ(doc.GetTitle(), "practice.con");
    EXPECT_EQ(FileCount(dir.Path()), 1u) << "no temporary file is left behind";

    CVersenkwerkDoc loaded;
    loaded.OnNewDocument();
    loaded.SetModifiedFlag();
    OpenDocumentFile(loaded, path);
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(loaded.GetTitle(), "practice.con");
    EXPECT_EQ(loaded.m_settings.m_nMainVolume, 14);
    EXPECT_EQ(loaded.m_settings.m_strTrainingType, "Kanika Jhavari (Vipassana Bhavana)");
    ASSERT_EQ(loaded.m_aTrainingTypes[1].m_aEntries.GetSize(), 4);
    EXPECT_EQ(loaded.m_aTrainingTypes[1].m_aEntries[3], doc.m_aTrainingTypes[1].m_aEntries[3]);
}

TEST(DocumentFile, EmptyFileOpensWithoutReading)
{
    TempDir dir;
    const std::string path = dir.File("empty.con");
    WriteBytes(path, {});
    CVersenkwerkDoc doc;
    Sample(doc).SetModifiedFlag();
    OpenDocumentFile(doc, path);
    EXPECT_EQ(doc.m_aTrainingTypes[1].m_aEntries.GetSize(), 4) << "the contents stay";
    EXPECT_EQ(doc.GetTitle(), "empty.con");
    EXPECT_EQ(doc.GetPathName(), path);
    EXPECT_FALSE(doc.IsModified());
}

TEST(DocumentFile, UnreadableFileLeavesTheDocumentUntouched)
{
    TempDir dir;
    CVersenkwerkDoc doc;
    Sample(doc).SetModifiedFlag();
    doc.SetPathName(dir.File("before.con"));
    std::string message;
    EXPECT_EQ(OpenFailure(doc, dir.File("missing.con"), &message), CDocumentError::Cause::FileNotFound);
    EXPECT_EQ(message, dir.File("missing.con") + " wurde nicht gefunden.");
    EXPECT_EQ(OpenFailure(doc, dir.Path().string()), CDocumentError::Cause::BadPath);
    // A folder on the way that does not exist makes the path wrong.
    EXPECT_EQ(OpenFailure(doc, dir.File("missing.con/x.con"), &message), CDocumentError::Cause::BadPath);
    EXPECT_EQ(message, dir.File("missing.con/x.con") + " enthält eine falsche Pfadangabe.");
    EXPECT_TRUE(doc.IsModified()) << "the modified flag is restored";
    EXPECT_EQ(doc.GetTitle(), "before.con");
    EXPECT_EQ(doc.m_aTrainingTypes[1].m_aEntries.GetSize(), 4);
}

TEST(DocumentFile, BadMagicMakesAnUntitledNewDocumentKeepingTheSettings)
{
    TempDir dir;
    const std::string path = dir.File("other.con");
    WriteBytes(path, {0x03, 'c', 'o', 'x', 0, 0, 0});
    CVersenkwerkDoc doc;
    Sample(doc).SetPathName(dir.File("before.con"));
    std::string message;
    EXPECT_EQ(OpenFailure(doc, path, &message), CDocumentError::Cause::DefectiveMagic);
    EXPECT_EQ(message, "Unbekannter Fehler beim Zugriff auf " + path + ".");
    EXPECT_EQ(doc.GetTitle(), "Unbenannt");
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_EQ(doc.m_aTrainingTypes[1].m_aEntries.GetSize(), 0);
    EXPECT_EQ(doc.m_settings.m_nMainVolume, 14);
}

TEST(DocumentFile, FileCutAtEveryOffsetFailsAsUnexpectedFormat)
{
    TempDir dir;
    CVersenkwerkDoc source;
    Sample(source);
    const std::string full = dir.File("full.con");
    SaveDocumentFile(source, full);
    const Bytes bytes = ReadBytes(full);
    const std::string cut = dir.File("cut.con");
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        WriteBytes(cut, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
        CVersenkwerkDoc doc;
        doc.OnNewDocument();
        doc.m_aTrainingTypes[0].m_aEntries.Add(CDataEntry());
        doc.m_settings.m_nMainVolume = -7;
        std::string message;
        ASSERT_EQ(OpenFailure(doc, cut, &message), CDocumentError::Cause::CutShort) << length;
        EXPECT_EQ(message, "Unerwartetes Dateiformat.");
        EXPECT_EQ(doc.GetTitle(), "Unbenannt") << length;
        EXPECT_FALSE(doc.IsModified()) << length;
        for (int t = 0; t < CVersenkwerkDoc::kTrainingTypeCount; ++t) {
            EXPECT_EQ(doc.m_aTrainingTypes[t].m_strName, CVersenkwerkDoc::kDefaultTrainingTypeNames[t]) << length;
            EXPECT_EQ(doc.m_aTrainingTypes[t].m_aEntries.GetSize(), 0) << length;
        }
        // The settings are taken as they are read: the main volume once its last byte is there.
        const std::size_t mainVolumeEnd = 4 + 1 + 34 + 4 + 12 + 4 + 12 + 12 + 4 + 4;
        EXPECT_EQ(doc.m_settings.m_nMainVolume, length >= mainVolumeEnd ? 14 : -7) << length;
    }
}

TEST(DocumentFile, FailedSaveLeavesTheExistingFileByteIdentical)
{
    TempDir dir;
    const std::string path = dir.File("kept.con");
    CVersenkwerkDoc small;
    small.OnNewDocument();
    SaveDocumentFile(small, path);
    const Bytes before = ReadBytes(path);

    CVersenkwerkDoc doc;
    Sample(doc);
    for (int i = 0; i < 5000; ++i)
        doc.m_pCurrentType->m_aEntries.Add(doc.m_pCurrentType->m_aEntries[3]);
    doc.SetModifiedFlag();

    // A file size limit makes the write fail part way, as a full disk would.
    struct rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const CDocumentError::Cause cause = SaveFailure(doc, path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(cause, CDocumentError::Cause::DiskFull);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FileCount(dir.Path()), 1u) << "the temporary file is removed";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.GetPathName().empty());

    EXPECT_EQ(SaveFailure(doc, dir.File("no-such-folder/x.con")), CDocumentError::Cause::BadPath);
    EXPECT_EQ(SaveFailure(doc, dir.Path().string()), CDocumentError::Cause::BadPath);
    EXPECT_EQ(SaveFailure(doc, path + "/x.con"), CDocumentError::Cause::BadPath);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(DocumentFile, ReadOnlyFolderRefusesTheSave)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    TempDir dir;
    const std::string path = dir.File("locked.con");
    CVersenkwerkDoc doc;
    Sample(doc);
    SaveDocumentFile(doc, path);
    const Bytes before = ReadBytes(path);
    doc.m_settings.m_nMainVolume = 1;
    fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(SaveFailure(doc, path), CDocumentError::Cause::AccessDenied);
    fs::permissions(dir.Path(), fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(DocumentFile, SaveKeepsLinksAndPermissionsOfTheTarget)
{
    TempDir dir;
    const std::string real = dir.File("real.con");
    const std::string link = dir.File("link.con");
    CVersenkwerkDoc doc;
    Sample(doc);
    SaveDocumentFile(doc, real);
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);

    doc.m_settings.m_nMainVolume = 2;
    SaveDocumentFile(doc, link);
    EXPECT_TRUE(fs::is_symlink(link));
    struct stat info{};
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    CVersenkwerkDoc loaded;
    OpenDocumentFile(loaded, real);
    EXPECT_EQ(loaded.m_settings.m_nMainVolume, 2);
}

TEST(DocumentFile, ErrnoMapsToTheFrameworkTexts)
{
    const std::string path = "/data/x.con";
    EXPECT_EQ(CDocumentError::FromErrno(EACCES, path).GetMessage(), "Zugriff auf /data/x.con wurde verweigert.");
    EXPECT_EQ(CDocumentError::FromErrno(EPERM, path).GetCause(), CDocumentError::Cause::AccessDenied);
    EXPECT_EQ(CDocumentError::FromErrno(ENOSPC, path).GetMessage(),
              "Beim Zugriff auf /data/x.con wurde ein voller Datenträger gemeldet.");
    EXPECT_EQ(CDocumentError::FromErrno(EMFILE, path).GetMessage(),
              "/data/x.con konnte nicht geöffnet werden, da zu viele Dateien geöffnet sind.");
    EXPECT_EQ(CDocumentError::FromErrno(ENAMETOOLONG, path).GetMessage(),
              "/data/x.con enthält eine falsche Pfadangabe.");
    EXPECT_EQ(CDocumentError::FromErrno(EIO, path).GetMessage(), "Hardware-E/A-Fehler beim Zugriff auf /data/x.con.");
    EXPECT_EQ(CDocumentError::FromErrno(EPROTO, path).GetMessage(), "Unbekannter Fehler beim Zugriff auf /data/x.con.");
    EXPECT_EQ(CDocumentError(CDocumentError::Cause::LoadFailed).GetMessage(), "Fehler beim Öffnen des Dokuments.");
    EXPECT_EQ(CDocumentError(CDocumentError::Cause::SaveFailed).GetMessage(), "Fehler beim Speichern des Dokuments.");
}
