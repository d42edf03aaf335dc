#include "document_file.h"

#include "archive.h"
#include "document.h"
#include "document_error.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now, so that an error of the close itself is seen.
    int Close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

[[noreturn]] void ThrowErrno(const std::string& path)
{
    throw CDocumentError::FromErrno(errno, path);
}

std::string DirectoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save really replaces: a link is followed so that it stays a link.
std::string ResolveTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

void WriteAll(int fd, const std::uint8_t* data, std::size_t size, const std::string& path)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path);
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path)
{
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        ThrowErrno(path);
    struct stat info{};
    if (::fstat(file.Get(), &info) != 0)
        ThrowErrno(path);
    if (S_ISDIR(info.st_mode))
        throw CDocumentError::FromErrno(EISDIR, path);
    // Read straight into a buffer of the file's size; a file that grows
    // meanwhile is still read to its end.
    std::vector<std::uint8_t> bytes(info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0);
    std::size_t filled = 0;
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const bool intoBuffer = filled < bytes.size();
        std::uint8_t* target = intoBuffer ? bytes.data() + filled : chunk;
        const std::size_t room = intoBuffer ? bytes.size() - filled : sizeof chunk;
        const ssize_t count = ::read(file.Get(), target, room);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path);
        }
        if (count == 0)
            break;
        if (!intoBuffer)
            bytes.insert(bytes.end(), chunk, chunk + count);
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return bytes;
}

void WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    const std::string target = ResolveTarget(path);
    struct stat existing{};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        throw CDocumentError::FromErrno(EISDIR, path);
    // A file the user may not write stays protected even though its folder
    // would allow replacing it.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        ThrowErrno(path);

    const std::string directory = DirectoryOf(target);
    std::string temporary = target + ".XXXXXX";
    FileDescriptor file(::mkstemp(temporary.data()));
    if (file.Get() < 0)
        ThrowErrno(path);
    try {
        mode_t mode = 0;
        if (exists) {
            mode = existing.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode = 0666 & ~mask;
        }
        if (::fchmod(file.Get(), mode) != 0)
            ThrowErrno(path);
        WriteAll(file.Get(), bytes.data(), bytes.size(), path);
        if (::fsync(file.Get()) != 0 || file.Close() != 0)
            ThrowErrno(path);
        if (::rename(temporary.c_str(), target.c_str()) != 0)
            ThrowErrno(path);
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    FileDescriptor folder(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get()); // the rename itself reaches the disk
}

void OpenDocumentFile(CVersenkwerkDoc& doc, const std::string& path)
{
    const bool wasModified = doc.IsModified();
    std::vector<std::uint8_t> bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (...) {
        doc.SetModifiedFlag(wasModified);
        throw;
    }
    doc.SetModifiedFlag(true);
    if (!bytes.empty()) {
        try {
            CArchive ar(bytes.data(), bytes.size());
            doc.Serialize(ar);
        } catch (CDocumentError& error) {
            error.SetPath(path);
            doc.SetTitle(CVersenkwerkDoc::kUntitled);
            doc.OnNewDocument();
            throw;
        }
    }
    doc.SetModifiedFlag(false);
    doc.SetPathName(path);
}

void SaveDocumentFile(CVersenkwerkDoc& doc, const std::string& path)
{
    CArchive ar;
    doc.Serialize(ar);
    WriteFileAtomically(path, ar.Buffer());
    doc.SetModifiedFlag(false);
    doc.SetPathName(path);
}
