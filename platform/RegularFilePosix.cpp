#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovarin {

namespace {

PathKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return PathKind::Regular;
    if (S_ISDIR(mode))
        return PathKind::Folder;
    return PathKind::Special;
}

} // namespace

PathKind pathKind(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return PathKind::Absent;
    return kindOf(status.st_mode);
}

RegularOpen openRegularFile(const std::string& path, int flags, mode_t mode) {
    RegularOpen result;
    const PathKind before = pathKind(path);
    if (before == PathKind::Folder || before == PathKind::Special) {
        result.refused = before;
        return result;
    }

    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        result.error = errno;
        ::close(fd);
        return result;
    }
    if (!S_ISREG(status.st_mode)) {
        result.refused = kindOf(status.st_mode);
        ::close(fd);
        return result;
    }
    // A regular file never blocks; the flag is cleared so that writes are whole.
    const int statusFlags = ::fcntl(fd, F_GETFL);
    if (statusFlags < 0 || ::fcntl(fd, F_SETFL, statusFlags & ~O_NONBLOCK) != 0) {
        result.error = errno;
        ::close(fd);
        return result;
    }
    result.fd = fd;
    return result;
}

} // namespace tovarin
