#include "platform/posix/HostFiles.h"

#include <cerrno>

#include "platform/Errors.h"
#include "platform/FileSystem.h"

namespace sorabell::posix {

namespace attr = platform::attr;

uint32_t WindowsError(int error) {
    switch (error) {
        case ENOENT:
            return oserror::FileNotFound;
        case ENOTDIR:
            return oserror::PathNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
            return oserror::AccessDenied;
        case ENAMETOOLONG:
            return oserror::InvalidName;
        case EFBIG:
            return oserror::DiskFull;
        case ENOSPC:
            return oserror::HandleDiskFull;
        default:
            return 0x1F;  // ERROR_GEN_FAILURE
    }
}

std::optional<struct stat> Stat(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return std::nullopt;
    }
    return st;
}

uint32_t AttributesOf(const struct stat& st) {
    uint32_t a = S_ISDIR(st.st_mode) ? attr::Directory : attr::Archive;
    if ((st.st_mode & S_IWUSR) == 0) {
        a |= attr::ReadOnly;
    }
    return a;
}

}  // namespace sorabell::posix
