#pragma once

#include <stdexcept>
#include <string>

// A failed load or save of a document file, reported to the user once with
// the German texts of the document framework.
class DocumentError : public std::runtime_error {
public:
    enum class Cause {
        CutShort,       // the file ends before its layout does
        LoadFailed,     // a load failed without a file error
        SaveFailed,     // a save failed without a file error
        DefectiveMagic, // the file does not start with "con"
        Generic,        // an operating-system error without a closer text
        // A file to import from holds what its format cannot hold.
        DefectiveContent,
        FileNotFound,
        BadPath,
        TooManyOpenFiles,
        AccessDenied,
        InvalidFile,
        DirectoryFull,
        BadSeek,
        HardIO,
        SharingViolation,
        LockViolation,
        DiskFull,
        EndOfFile,
        OutOfMemory,
    };

    DocumentError(Cause cause, std::string path = {});

    // The error of a failed system call, from its errno.
    static DocumentError fromErrno(int error, const std::string& path);

    Cause cause() const { return m_cause; }
    const std::string& path() const { return m_path; }
    void setPath(const std::string& path) { m_path = path; }

    // The program's own message shown before the framework's text, or empty.
    std::string preludeMessage() const;
    // The framework's text, with the full path filled in.
    std::string message() const;

private:
    Cause m_cause;
    std::string m_path;
};
