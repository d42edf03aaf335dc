#include "records/document_error.h"

#include <cerrno>
#include <sys/stat.h>

namespace {

// A missing file in an existing folder is "not found"; a missing folder on
// the way to it makes the path itself wrong, also when a save creates the file.
bool folderOfExists(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    struct stat info { };
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

const char* messageTemplate(DocumentError::Cause cause)
{
    using C = DocumentError::Cause;
    switch (cause) {
    case C::CutShort:
    case C::DefectiveContent: return "Unerwartetes Dateiformat.";
    case C::LoadFailed: return "Fehler beim Öffnen des Dokuments.";
    case C::SaveFailed: return "Fehler beim Speichern des Dokuments.";
    case C::DefectiveMagic:
    case C::Generic: return "Unbekannter Fehler beim Zugriff auf %1.";
    case C::FileNotFound: return "%1 wurde nicht gefunden.";
    case C::BadPath: return "%1 enthält eine falsche Pfadangabe.";
    case C::TooManyOpenFiles: return "%1 konnte nicht geöffnet werden, da zu viele Dateien geöffnet sind.";
    case C::AccessDenied: return "Zugriff auf %1 wurde verweigert.";
    case C::InvalidFile: return "%1 wurde ein falsches Dateihandle zugeordnet.";
    case C::DirectoryFull: return "%1 konnte nicht erstellt werden, da das Verzeichnis voll ist.";
    case C::BadSeek: return "Positionierungsfehler auf %1.";
    case C::HardIO: return "Hardware-E/A-Fehler beim Zugriff auf %1.";
    case C::SharingViolation: return "Freigabeverletzung beim Zugriff auf %1.";
    case C::LockViolation: return "Sperrverletzung beim Zugriff auf %1.";
    case C::DiskFull: return "Beim Zugriff auf %1 wurde ein voller Datenträger gemeldet.";
    case C::EndOfFile: return "Es wurde versucht, auf eine Stelle hinter dem Ende von %1 zuzugreifen.";
    case C::OutOfMemory: return "Nicht genügend Arbeitsspeicher.";
    }
    return "Unbekannter Fehler beim Zugriff auf %1.";
}

std::string fill(const char* text, const std::string& path)
{
    std::string result(text);
    const std::size_t at = result.find("%1");
    if (at != std::string::npos)
        result.replace(at, 2, path);
    return result;
}

} // namespace

DocumentError::DocumentError(Cause cause, std::string path)
    : std::runtime_error(fill(messageTemplate(cause), path)), m_cause(cause), m_path(std::move(path))
{
}

DocumentError DocumentError::fromErrno(int error, const std::string& path)
{
    switch (error) {
    case ENOENT: return {folderOfExists(path) ? Cause::FileNotFound : Cause::BadPath, path};
    case EACCES:
    case EPERM:
    case EROFS: return {Cause::AccessDenied, path};
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return {Cause::DiskFull, path};
    case EMFILE:
    case ENFILE: return {Cause::TooManyOpenFiles, path};
    case ENAMETOOLONG:
    case ENOTDIR:
    case EISDIR:
    case ELOOP: return {Cause::BadPath, path};
    case EIO: return {Cause::HardIO, path};
    case EBADF: return {Cause::InvalidFile, path};
    case ESPIPE: return {Cause::BadSeek, path};
    case ETXTBSY:
    case EBUSY: return {Cause::SharingViolation, path};
    case EDEADLK: return {Cause::LockViolation, path};
    case ENOMEM: return {Cause::OutOfMemory, path};
    default: return {Cause::Generic, path};
    }
}

std::string DocumentError::preludeMessage() const
{
    const bool defective = m_cause == Cause::DefectiveMagic || m_cause == Cause::DefectiveContent;
    return defective ? "The file is defective and can not be read." : std::string();
}

std::string DocumentError::message() const
{
    return fill(messageTemplate(m_cause), m_path);
}
