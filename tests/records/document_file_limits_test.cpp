// Opening and saving where the path is no plain file, or the file is huge.
#include "records/document_error.h"
#include "records/document_file.h"
#include "records/training_document.h"
#include "tests/support/document_edits.h"
#include "tests/support/document_failures.h"
#include "tests/support/record_builder.h"
#include "tests/support/test_bytes.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

TrainingDocument& sample(TrainingDocument& doc)
{
    doc.onNewDocument();
    changeSettings(doc, [&](DocumentSettings& s) { s.m_mainVolume = 14; });
    const TrainingType& type = *doc.selectTrainingType("Kanika Jhavari (Vipassana Bhavana)");
    for (int run = 1; run <= 3; ++run)
        append(doc, type, record().measurement(1).run(run).from(1700000000 + run * 100).lasting(60));
    return doc;
}

void extendSparsely(const std::string& path, off_t size)
{
    ASSERT_EQ(::truncate(path.c_str(), size), 0) << path;
}

long peakResidentKilobytes()
{
    struct rusage usage { };
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(DocumentFileLimits, OnlyTheBytesTheLayoutAsksForAreRead)
{
    TempDir dir;
    const long peakBefore = peakResidentKilobytes();

    const std::string zeros = dir.file("zeros.con");
    writeBytes(zeros, {});
    extendSparsely(zeros, 6LL << 30);
    TrainingDocument doc;
    sample(doc);
    EXPECT_EQ(openFailure(doc, zeros), DocumentError::Cause::DefectiveMagic);

    const std::string padded = dir.file("padded.con");
    sample(doc);
    saveDocumentFile(doc, padded);
    extendSparsely(padded, 4LL << 30);
    TrainingDocument loaded;
    loaded.onNewDocument();
    openDocumentFile(loaded, padded);
    EXPECT_EQ(loaded.trainingTypes()[1].m_records.size(), 3);
    EXPECT_EQ(loaded.settings().m_mainVolume, 14);

    EXPECT_LT(peakResidentKilobytes() - peakBefore, 64 * 1024) << "gigabytes were read into memory";
}

#if !defined(__SANITIZE_ADDRESS__)
TEST(DocumentFileLimits, ACountBeyondTheMemoryFailsAsTooLittleMemory)
{
    TempDir dir;
    const std::string path = dir.file("huge.con");
    ByteWriter bytes;
    bytes.text("con").text("").int32(0).time(0).int32(0).time(0).time(0).int32(0).int32(0).int32(0);
    for (int i = 0; i < 5; ++i)
        bytes.text("");
    bytes.text("first").int32(0x7FFFFFFF);
    writeBytes(path, bytes.get());
    // The file is long enough for the count, so the records are reserved at once.
    extendSparsely(path, static_cast<off_t>(bytes.get().size()) + 0x7FFFFFFFLL * 32);
    TrainingDocument doc;
    sample(doc).setPathName(dir.file("before.con"));
    std::string message;
    EXPECT_EQ(openFailure(doc, path, &message), DocumentError::Cause::OutOfMemory);
    EXPECT_EQ(message, "Nicht genügend Arbeitsspeicher.");
    EXPECT_EQ(doc.title(), "Unbenannt");
}
#endif

TEST(DocumentFileLimits, OnlyARegularFileIsOpenedOrSavedOnto)
{
    TempDir dir;
    const std::string fifo = dir.file("pipe.con");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = dir.file("socket.con");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    TrainingDocument doc;
    sample(doc).setModified();

    std::string message;
    // Opening the FIFO itself would wait for a writer forever.
    EXPECT_EQ(openFailure(doc, fifo, &message), DocumentError::Cause::BadPath);
    EXPECT_EQ(message, fifo + " enthält eine falsche Pfadangabe.");
    EXPECT_EQ(openFailure(doc, "/dev/zero"), DocumentError::Cause::BadPath);
    EXPECT_EQ(openFailure(doc, dir.path().string()), DocumentError::Cause::BadPath);
    EXPECT_EQ(doc.trainingTypes()[1].m_records.size(), 3);

    for (const std::string& special : {fifo, socketPath}) {
        try {
            saveDocumentFile(doc, special);
            ADD_FAILURE() << "saved onto " << special;
        } catch (const DocumentError& error) {
            EXPECT_EQ(error.message(), special + " enthält eine falsche Pfadangabe.");
        }
    }
    ::close(listener);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_TRUE(fs::is_socket(socketPath));
    EXPECT_TRUE(doc.isModified());
}

TEST(DocumentFileLimits, ADanglingLinkSavesToItsTarget)
{
    TempDir dir;
    const std::string link = dir.file("link.con");
    fs::create_symlink("later.con", link);
    TrainingDocument doc;
    saveDocumentFile(sample(doc), link);
    EXPECT_TRUE(fs::is_symlink(link));
    TrainingDocument loaded;
    openDocumentFile(loaded, dir.file("later.con"));
    EXPECT_EQ(loaded.trainingTypes()[1].m_records.size(), 3);
}

TEST(DocumentFileLimits, TemporaryFilesFitLongNamesAndLeftoversAreRemoved)
{
    TempDir dir;
    TrainingDocument doc;
    sample(doc);
    for (const std::size_t length : {254u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".con";
        saveDocumentFile(doc, dir.file(name));
        EXPECT_TRUE(fs::exists(dir.file(name))) << length;
        fs::remove(dir.file(name));
    }

    // What a save killed midway leaves, and a neighbour's file of similar name.
    const std::string path = dir.file("practice.con");
    const std::string stale = dir.file(".practice.con.jhavari-save-a1B2c3");
    const std::string other = dir.file(".practice.con.jhavari-save-kept-longer");
    writeBytes(stale, Bytes(4096, 0x55));
    writeBytes(other, {1});
    saveDocumentFile(doc, path);
    EXPECT_FALSE(fs::exists(stale));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

    // A path so long that no temporary name beside it fits the path limit: the file is written in place.
    std::string deep = dir.path().string();
    while (deep.size() < 3800)
        deep += '/' + std::string(200, 'd');
    fs::create_directories(deep);
    const std::string longPath = deep + '/' + std::string(4085 - deep.size() - 1 - 4, 'n') + ".con";
    ASSERT_EQ(longPath.size(), 4085u);
    saveDocumentFile(doc, longPath);
    append(doc, doc.trainingTypes()[0], record().measurement(9).run(1).from(1).to(2));
    saveDocumentFile(doc, longPath);
    TrainingDocument reloaded;
    openDocumentFile(reloaded, longPath);
    EXPECT_EQ(reloaded.trainingTypes()[0].m_records.size(), doc.trainingTypes()[0].m_records.size());
}

TEST(DocumentFileLimits, SaveKeepsTheOwnerOfTheFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser may hand a file to another user";
    TempDir dir;
    const std::string path = dir.file("theirs.con");
    TrainingDocument doc;
    saveDocumentFile(sample(doc), path);
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    changeSettings(doc, [&](DocumentSettings& s) { s.m_mainVolume = 5; });
    saveDocumentFile(doc, path);
    struct stat info { };
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}
