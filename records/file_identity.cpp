#include "records/file_identity.h"

#include <sys/stat.h>

FileIdentity FileIdentity::ofFile(const std::string& path)
{
    FileIdentity identity;
    struct stat info { };
    if (path.empty() || ::stat(path.c_str(), &info) != 0)
        return identity;
    identity.m_exists = true;
    identity.m_size = info.st_size;
    identity.m_modifiedSeconds = info.st_mtim.tv_sec;
    identity.m_modifiedNanoseconds = info.st_mtim.tv_nsec;
    identity.m_inode = info.st_ino;
    identity.m_device = info.st_dev;
    return identity;
}
