#include "records/document_error.h"
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/document_failures.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TrainingDocument& sample(TrainingDocument& doc)
{
    doc.onNewDocument();
    changeSettings(doc, [&](DocumentSettings& s) { s.m_waveVolume = 3; });
    changeSettings(doc, [&](DocumentSettings& s) { s.m_mainVolume = 14; });
    const TrainingType& type = *doc.selectTrainingType("Kanika Jhavari (Vipassana Bhavana)");
    for (int m = 1; m <= 2; ++m) {
        for (int run = 1; run <= 2; ++run) {
            const CalendarTime start = 1700000000 + m * 1000 + run * 100;
            append(doc, type, record().measurement(m).run(run).from(start).lasting(60).uddhacca(run == 2));
        }
    }
    return doc;
}

// What the document announces, a save with the title it has by then.
class AnnouncementLog : public DocumentListener {
public:
    explicit AnnouncementLog(const TrainingDocument& doc) : m_doc(doc) { }
    void documentReset(DocumentReset) override { entries.push_back("reset as " + m_doc.title()); }
    void documentSaved() override { entries.push_back("saved as " + m_doc.title()); }
    std::vector<std::string> entries;

private:
    const TrainingDocument& m_doc;
};

std::size_t fileCount(const fs::path& folder)
{
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

} // namespace

TEST(DocumentFile, SaveAndOpenRoundTripSetsPathTitleAndClearsModified)
{
    TempDir dir;
    TrainingDocument doc;
    sample(doc).setModified();
    AnnouncementLog saves(doc);
    doc.addListener(&saves);
    const std::string path = dir.file("practice.con");
    saveDocumentFile(doc, path);
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.pathName(), path);
    EXPECT_EQ(doc.title(), "practice.con");
    EXPECT_EQ(fileCount(dir.path()), 1u) << "no temporary file is left behind";
    EXPECT_EQ(saves.entries, std::vector<std::string>{"saved as practice.con"}) << "a save replaces nothing";

    TrainingDocument loaded;
    loaded.onNewDocument();
    loaded.setModified();
    AnnouncementLog loads(loaded);
    loaded.addListener(&loads);
    openDocumentFile(loaded, path);
    EXPECT_EQ(loads.entries, std::vector<std::string>{"reset as practice.con"}) << "the views see the new name";
    EXPECT_FALSE(loaded.isModified());
    EXPECT_EQ(loaded.title(), "practice.con");
    EXPECT_EQ(loaded.settings().m_mainVolume, 14);
    EXPECT_EQ(loaded.settings().m_trainingType, "Kanika Jhavari (Vipassana Bhavana)");
    ASSERT_EQ(loaded.trainingTypes()[1].m_records.size(), 4);
    EXPECT_EQ(loaded.trainingTypes()[1].m_records[3], doc.trainingTypes()[1].m_records[3]);
}

TEST(DocumentFile, ASaveFillsExactlyTheRoomReservedForIt)
{
    TempDir dir;
    TrainingDocument doc;
    sample(doc);
    // Records are encoded a few hundred at a time: enough for full batches and a part.
    const TrainingType& type = doc.trainingTypes()[2];
    for (int i = 0; i < 700; ++i) {
        const CalendarTime start = 1700000000 + i * 97;
        append(doc, type, record().measurement(1 + i / 9).run(1 + i % 9).from(start).lasting(i).uddhacca(i % 5 == 0));
    }
    // Texts with each form of the length prefix.
    changeSettings(doc, [](DocumentSettings& s) {
        s.m_soundFiles[0] = std::string(254, 'a');
        s.m_soundFiles[1] = std::string(255, 'b');
        s.m_soundFiles[2] = std::string(70000, 'c');
    });
    const std::string path = dir.file("sized.con");
    saveDocumentFile(doc, path);
    EXPECT_EQ(fs::file_size(path), doc.storedSize());
    TrainingDocument loaded;
    loaded.onNewDocument();
    openDocumentFile(loaded, path);
    const IntervalRecordList& back = loaded.trainingTypes()[2].m_records;
    EXPECT_TRUE(std::equal(back.begin(), back.end(), type.m_records.begin(), type.m_records.end()));
}

TEST(DocumentFile, EmptyFileOpensWithoutReading)
{
    TempDir dir;
    const std::string path = dir.file("empty.con");
    writeBytes(path, {});
    TrainingDocument doc;
    sample(doc).setModified();
    openDocumentFile(doc, path);
    EXPECT_EQ(doc.trainingTypes()[1].m_records.size(), 4) << "the contents stay";
    EXPECT_EQ(doc.title(), "empty.con");
    EXPECT_EQ(doc.pathName(), path);
    EXPECT_FALSE(doc.isModified());
}

TEST(DocumentFile, UnreadableFileLeavesTheDocumentUntouched)
{
    TempDir dir;
    TrainingDocument doc;
    sample(doc).setModified();
    doc.setPathName(dir.file("before.con"));
    std::string message;
    EXPECT_EQ(openFailure(doc, dir.file("missing.con"), &message), DocumentError::Cause::FileNotFound);
    EXPECT_EQ(message, dir.file("missing.con") + " wurde nicht gefunden.");
    EXPECT_EQ(openFailure(doc, dir.path().string()), DocumentError::Cause::BadPath);
    // A folder on the way that does not exist makes the path wrong.
    EXPECT_EQ(openFailure(doc, dir.file("missing.con/x.con"), &message), DocumentError::Cause::BadPath);
    EXPECT_EQ(message, dir.file("missing.con/x.con") + " enthält eine falsche Pfadangabe.");
    EXPECT_TRUE(doc.isModified()) << "the modified flag is restored";
    EXPECT_EQ(doc.title(), "before.con");
    EXPECT_EQ(doc.trainingTypes()[1].m_records.size(), 4);
}

TEST(DocumentFile, BadMagicMakesAnUntitledNewDocumentKeepingTheSettings)
{
    TempDir dir;
    const std::string path = dir.file("other.con");
    writeBytes(path, {0x03, 'c', 'o', 'x', 0, 0, 0});
    TrainingDocument doc;
    sample(doc).setPathName(dir.file("before.con"));
    std::string message;
    EXPECT_EQ(openFailure(doc, path, &message), DocumentError::Cause::DefectiveMagic);
    EXPECT_EQ(message, "Unbekannter Fehler beim Zugriff auf " + path + ".");
    EXPECT_EQ(doc.title(), "Unbenannt");
    EXPECT_TRUE(doc.pathName().empty());
    EXPECT_EQ(doc.trainingTypes()[1].m_records.size(), 0);
    EXPECT_EQ(doc.settings().m_mainVolume, 14);
}

TEST(DocumentFile, FileCutAtEveryOffsetFailsAsUnexpectedFormat)
{
    TempDir dir;
    TrainingDocument source;
    sample(source);
    const std::string full = dir.file("full.con");
    saveDocumentFile(source, full);
    const Bytes bytes = readBytes(full);
    const std::string cut = dir.file("cut.con");
    for (std::size_t length = 1; length < bytes.size(); ++length) {
        writeBytes(cut, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
        TrainingDocument doc;
        doc.onNewDocument();
        append(doc, doc.trainingTypes()[0], IntervalRecord());
        changeSettings(doc, [&](DocumentSettings& s) { s.m_mainVolume = -7; });
        std::string message;
        ASSERT_EQ(openFailure(doc, cut, &message), DocumentError::Cause::CutShort) << length;
        EXPECT_EQ(message, "Unerwartetes Dateiformat.");
        EXPECT_EQ(doc.title(), "Unbenannt") << length;
        EXPECT_FALSE(doc.isModified()) << length;
        for (int t = 0; t < TrainingDocument::kTrainingTypeCount; ++t) {
            EXPECT_EQ(doc.trainingTypes()[t].m_name, TrainingDocument::kDefaultTrainingTypeNames[t]) << length;
            EXPECT_EQ(doc.trainingTypes()[t].m_records.size(), 0) << length;
        }
        // The settings are taken as they are read: the main volume once its last byte is there.
        const std::size_t mainVolumeEnd = 4 + 1 + 34 + 4 + 12 + 4 + 12 + 12 + 4 + 4;
        EXPECT_EQ(doc.settings().m_mainVolume, length >= mainVolumeEnd ? 14 : -7) << length;
    }
}

TEST(DocumentFile, FailedSaveLeavesTheExistingFileByteIdentical)
{
    TempDir dir;
    const std::string path = dir.file("kept.con");
    TrainingDocument small;
    small.onNewDocument();
    saveDocumentFile(small, path);
    const Bytes before = readBytes(path);

    TrainingDocument doc;
    sample(doc);
    // More than the megabyte that is encoded at a time: the write fails while the document is encoded.
    for (int i = 0; i < 40000; ++i)
        append(doc, *doc.currentTrainingType(), doc.currentTrainingType()->m_records[3]);
    doc.setModified();
    AnnouncementLog announced(doc);
    doc.addListener(&announced);

    // A file size limit makes the write fail part way, as a full disk would.
    struct rlimit old { };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const DocumentError::Cause cause = saveFailure(doc, path);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(cause, DocumentError::Cause::DiskFull);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(fileCount(dir.path()), 1u) << "the temporary file is removed";
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(doc.pathName().empty());
    EXPECT_TRUE(announced.entries.empty()) << "no save is told";

    EXPECT_EQ(saveFailure(doc, dir.file("no-such-folder/x.con")), DocumentError::Cause::BadPath);
    EXPECT_EQ(saveFailure(doc, dir.path().string()), DocumentError::Cause::BadPath);
    EXPECT_EQ(saveFailure(doc, path + "/x.con"), DocumentError::Cause::BadPath);
    EXPECT_EQ(readBytes(path), before);
}

TEST(DocumentFile, ReadOnlyFolderWritesTheWritableFileInPlace)
{
    TempDir dir;
    const fs::path folder = dir.path() / "locked";
    fs::create_directory(folder);
    const std::string path = (folder / "locked.con").string();
    TrainingDocument doc;
    sample(doc);
    saveDocumentFile(doc, path);
    ::chmod(path.c_str(), 0666);
    changeSettings(doc, [&](DocumentSettings& s) { s.m_mainVolume = 1; });
    fs::permissions(dir.path(), fs::perms::all);
    fs::permissions(folder,
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    // Folder permissions do not bind the superuser: the save runs as nobody then.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        try {
            saveDocumentFile(doc, path);
        } catch (const DocumentError&) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    fs::permissions(folder, fs::perms::owner_all);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fileCount(folder), 1u);
    TrainingDocument loaded;
    openDocumentFile(loaded, path);
    EXPECT_EQ(loaded.settings().m_mainVolume, 1);
}

TEST(DocumentFile, SaveKeepsLinksAndPermissionsOfTheTarget)
{
    TempDir dir;
    const std::string real = dir.file("real.con");
    const std::string link = dir.file("link.con");
    TrainingDocument doc;
    sample(doc);
    saveDocumentFile(doc, real);
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);

    changeSettings(doc, [&](DocumentSettings& s) { s.m_mainVolume = 2; });
    saveDocumentFile(doc, link);
    EXPECT_TRUE(fs::is_symlink(link));
    struct stat info { };
    ASSERT_EQ(::stat(real.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    TrainingDocument loaded;
    openDocumentFile(loaded, real);
    EXPECT_EQ(loaded.settings().m_mainVolume, 2);
}

TEST(DocumentFile, ErrnoMapsToTheFrameworkTexts)
{
    const std::string path = "/data/x.con";
    EXPECT_EQ(DocumentError::fromErrno(EACCES, path).message(), "Zugriff auf /data/x.con wurde verweigert.");
    EXPECT_EQ(DocumentError::fromErrno(EPERM, path).cause(), DocumentError::Cause::AccessDenied);
    EXPECT_EQ(DocumentError::fromErrno(ENOSPC, path).message(),
              "Beim Zugriff auf /data/x.con wurde ein voller Datenträger gemeldet.");
    EXPECT_EQ(DocumentError::fromErrno(EMFILE, path).message(),
              "/data/x.con konnte nicht geöffnet werden, da zu viele Dateien geöffnet sind.");
    EXPECT_EQ(DocumentError::fromErrno(ENAMETOOLONG, path).message(), "/data/x.con enthält eine falsche Pfadangabe.");
    EXPECT_EQ(DocumentError::fromErrno(EIO, path).message(), "Hardware-E/A-Fehler beim Zugriff auf /data/x.con.");
    EXPECT_EQ(DocumentError::fromErrno(EPROTO, path).message(), "Unbekannter Fehler beim Zugriff auf /data/x.con.");
    EXPECT_EQ(DocumentError(DocumentError::Cause::LoadFailed).message(), "Fehler beim Öffnen des Dokuments.");
    EXPECT_EQ(DocumentError(DocumentError::Cause::SaveFailed).message(), "Fehler beim Speichern des Dokuments.");
}
