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

// Only "no such file" makes a free name; a loop of symbolic links or a folder that
// cannot be searched hides what is there, and saving would replace it blindly.
PathState pathState(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        if (errno == ENOENT)
            return {PathKind::Absent, 0};
        return {PathKind::Unreachable, errno};
    }
    return {kindOf(status.st_mode), 0};
}

bool isSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    if (::stat(first.c_str(), &a) != 0 || ::stat(second.c_str(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool isStandardOutputFile(const std::string& path) {
    struct stat output {};
    struct stat file {};
    if (::fstat(STDOUT_FILENO, &output) != 0 || ::stat(path.c_str(), &file) != 0)
        return false;
    return output.st_dev == file.st_dev && output.st_ino == file.st_ino;
}

RegularOpen openRegularFile(const std::string& path, int flags, mode_t mode) {
    RegularOpen result;
    const PathState before = pathState(path);
    if (before.kind == PathKind::Folder || before.kind == PathKind::Special) {
        result.refused = before.kind;
        return result;
    }
    if (before.kind == PathKind::Unreachable) {
        result.error = before.error;
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
    // Reading stays non-blocking: a few files pass as regular yet wait for data that
    // may never come (/proc/kmsg), and the read must give up instead (EAGAIN). For
    // writing the flag is cleared so that writes are whole.
    if ((flags & O_ACCMODE) == O_RDONLY) {
        result.fd = fd;
        return result;
    }
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
