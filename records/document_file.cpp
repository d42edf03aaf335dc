#include "records/document_file.h"

#include "records/archive.h"
#include "records/document_error.h"
#include "records/file_descriptor.h"
#include "records/training_document.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <new>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

[[noreturn]] void throwErrno(const std::string& path)
{
    throw DocumentError::fromErrno(errno, path);
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Marks a save's temporary file: ".<document name>.jhavari-save-XXXXXX".
constexpr const char* kTemporaryMarker = ".jhavari-save-";
constexpr std::size_t kUniqueLength = 6;

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save really replaces: links are followed, a dangling one too,
// so that a link stays a link.
std::string resolveTarget(const std::string& path)
{
    constexpr int kMaxLinks = 40;
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        char next[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), next, sizeof next);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof next)
            return current;
        const std::string link(next, static_cast<std::size_t>(length));
        current = link.front() == '/' ? link : directoryOf(current) + '/' + link;
    }
    throw DocumentError::fromErrno(ELOOP, path);
}

// The temporary name up to its unique part. The document's name is cut so
// that the whole fits the file-name limit even for the longest names.
std::string temporaryPrefix(const std::string& target)
{
    const std::size_t room = NAME_MAX - 1 - std::char_traits<char>::length(kTemporaryMarker) - kUniqueLength;
    return '.' + fileNameOf(target).substr(0, room) + kTemporaryMarker;
}

// Temporary files of this document that a save killed midway left behind.
void removeStaleTemporaries(const std::string& target)
{
    const std::string prefix = temporaryPrefix(target);
    const std::string directory = directoryOf(target);
    DIR* folder = ::opendir(directory.c_str());
    if (!folder)
        return;
    while (const dirent* entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name.size() != prefix.size() + kUniqueLength || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string stale = directory + '/' + name;
        struct stat info { };
        if (::lstat(stale.c_str(), &info) == 0 && S_ISREG(info.st_mode))
            ::unlink(stale.c_str());
    }
    ::closedir(folder);
}

// Keeps who owns the replaced file where the process may say so; a user may
// at least hand the file to a group of theirs.
void keepOwner(int fd, const struct stat& existing)
{
    if (existing.st_uid == ::geteuid() && existing.st_gid == ::getegid())
        return;
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), existing.st_gid) != 0)
        return; // the file then belongs to the saving user, as any new file would
}

void writeAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throwErrno(path);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace

int openRegularFileForReading(const std::string& path, std::uint64_t& size)
{
    // Looked at before opening: opening a FIFO would wait for a writer.
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        throwErrno(path);
    if (!S_ISREG(info.st_mode))
        throw DocumentError(DocumentError::Cause::BadPath, path);
    // Non-blocking, in case the path was swapped for a FIFO since.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        throwErrno(path);
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw DocumentError(DocumentError::Cause::BadPath, path);
    }
    size = static_cast<std::uint64_t>(info.st_size);
    return fd;
}

namespace {

// Used where the folder takes no new file but the file itself may be written,
// as editors do, and where no temporary name beside the file fits the path
// limit; a failure midway leaves the file damaged, so the room is looked for first.
void writeInPlace(const std::string& target, const FileContents& contents, const std::string& path)
{
    // Made whole before the file is cut: a failure while making them leaves it as it was.
    std::vector<std::uint8_t> bytes;
    bytes.reserve(contents.size);
    contents.produce(
        [&bytes](const std::uint8_t* data, std::size_t size) { bytes.insert(bytes.end(), data, data + size); });

    FileDescriptor file(::open(target.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (file.get() < 0)
        throwErrno(path);
    struct stat info { };
    if (::fstat(file.get(), &info) != 0)
        throwErrno(path);
    if (!S_ISREG(info.st_mode))
        throw DocumentError(DocumentError::Cause::BadPath, path);
    struct statvfs space { };
    if (::fstatvfs(file.get(), &space) == 0 && bytes.size() > static_cast<std::uint64_t>(info.st_size) &&
        bytes.size() - static_cast<std::uint64_t>(info.st_size) > space.f_bavail * space.f_frsize)
        throw DocumentError(DocumentError::Cause::DiskFull, path);
    if (::ftruncate(file.get(), 0) != 0)
        throwErrno(path);
    writeAll(file.get(), bytes.data(), bytes.size(), path);
    if (::fsync(file.get()) != 0 || file.close() != 0)
        throwErrno(path);
}

} // namespace

void writeFileAtomically(const std::string& path, const FileContents& contents)
{
    const std::string target = resolveTarget(path);
    struct stat existing { };
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // A FIFO, a device or a socket would be replaced by a plain file.
    if (exists && !S_ISREG(existing.st_mode))
        throw DocumentError(DocumentError::Cause::BadPath, path);
    // A file the user may not write stays protected even though its folder
    // would allow replacing it.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        throwErrno(path);

    const std::string directory = directoryOf(target);
    std::string temporary = directory + '/' + temporaryPrefix(target) + std::string(kUniqueLength, 'X');
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0) {
        if ((exists && (errno == EACCES || errno == EPERM)) || errno == ENAMETOOLONG) {
            writeInPlace(target, contents, path);
            return;
        }
        throwErrno(path);
    }
    try {
        mode_t mode = 0;
        if (exists) {
            keepOwner(file.get(), existing);
            mode = existing.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        if (::fchmod(file.get(), mode) != 0)
            throwErrno(path);
        // Each chunk starts on its way to the disk while the next is encoded,
        // so the sync below waits for little more than the last one.
        off_t written = 0;
        contents.produce([&file, &path, &written](const std::uint8_t* data, std::size_t size) {
            writeAll(file.get(), data, size, path);
            ::sync_file_range(file.get(), written, static_cast<off_t>(size), SYNC_FILE_RANGE_WRITE);
            written += static_cast<off_t>(size);
        });
        if (::fsync(file.get()) != 0 || file.close() != 0)
            throwErrno(path);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            throwErrno(path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    FileDescriptor folder(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get()); // the rename itself reaches the disk
    removeStaleTemporaries(target);
}

void openDocumentFile(TrainingDocument& doc, const std::string& path)
{
    const bool wasModified = doc.isModified();
    std::uint64_t size = 0;
    std::optional<FileDescriptor> file;
    try {
        file.emplace(openRegularFileForReading(path, size));
    } catch (...) {
        doc.setModified(wasModified);
        throw;
    }
    doc.setModified(true);
    if (size > 0) {
        try {
            // Pulls only the bytes the layout asks for, so trailing bytes of
            // any length cost neither time nor memory.
            const int fd = file->get();
            Archive ar(
                [fd, &path](std::uint8_t* target, std::size_t room) {
                    for (;;) {
                        const ssize_t count = ::read(fd, target, room);
                        if (count >= 0)
                            return static_cast<std::size_t>(count);
                        if (errno != EINTR)
                            throwErrno(path);
                    }
                },
                size);
            doc.serialize(ar);
        } catch (DocumentError& error) {
            error.setPath(path);
            doc.setTitle(TrainingDocument::kUntitled);
            doc.onNewDocument();
            throw;
        } catch (const std::bad_alloc&) {
            doc.setTitle(TrainingDocument::kUntitled);
            doc.onNewDocument();
            throw DocumentError(DocumentError::Cause::OutOfMemory, path);
        }
    }
    doc.markLoaded(path);
}

void saveDocumentFile(TrainingDocument& doc, const std::string& path)
{
    // Encoded a chunk at a time as it is written: a big document costs no copy of itself in memory.
    const auto encode = [&doc, &path](const FileContents::Write& write) {
        constexpr std::size_t kChunk = 1 << 20;
        try {
            Archive ar(write, kChunk);
            doc.serialize(ar);
            ar.finish();
        } catch (const std::bad_alloc&) {
            throw DocumentError(DocumentError::Cause::OutOfMemory, path);
        }
    };
    writeFileAtomically(path, FileContents{doc.storedSize(), encode});
    doc.markSaved(path);
}
