#include "platform/AppendFile.h"

#include "platform/FileErrors.h"
#include "platform/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovarin {

namespace {

std::string writeFailure(const std::string& path, const char* reason) {
    std::string message = "ファイル「" + path + "」に書き込めませんでした。";
    if (reason) {
        message += "\n";
        message += reason;
    }
    return message;
}

std::string writeFailure(const std::string& path, int error) {
    return writeFailure(path, fileErrorReason(error));
}

const char* refusalReason(PathKind kind) {
    return kind == PathKind::Folder ? fileErrorReason(EISDIR) : notARegularFileReason;
}

// Writes all bytes at the end of the file and notes where they went, so that a
// failure can take back exactly these bytes.
AppendedBytes writeAll(int fd, const std::string& bytes) {
    AppendedBytes appended;
    while (appended.length < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.data() + appended.length, bytes.size() - appended.length);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            appended.error = errno;
            return appended;
        }
        // In append mode the offset is the end of what was just written.
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        const off_t start = end - static_cast<off_t>(n);
        if (appended.length == 0)
            appended.start = start;
        else if (start != appended.start + static_cast<off_t>(appended.length))
            appended.contiguous = false; // another writer's bytes lie between ours
        appended.length += static_cast<size_t>(n);
    }
    return appended;
}

} // namespace

// When the write fails part-way (disk full), the bytes written are taken back so that
// no half sheet stays behind.
std::string appendWhole(const std::string& path, const std::string& bytes) {
    const RegularOpen opened = openRegularFile(path, O_WRONLY | O_CREAT | O_APPEND);
    if (opened.refused != PathKind::Absent)
        return writeFailure(path, refusalReason(opened.refused));
    if (opened.fd < 0)
        return writeFailure(path, opened.error);

    const AppendedBytes appended = writeAll(opened.fd, bytes);
    if (appended.error) {
        const bool takenBack = takeBackAppended(opened.fd, appended);
        ::close(opened.fd);
        std::string message = writeFailure(path, appended.error);
        if (!takenBack)
            message += "\n書きかけの計算書がファイルに残っています"
                       "（後から他のプログラムが追記したため、取り除いていません）。";
        return message;
    }
    if (::close(opened.fd) != 0)
        return writeFailure(path, errno);
    return {};
}

bool takeBackAppended(int fd, const AppendedBytes& appended) {
    if (appended.length == 0)
        return true;
    if (!appended.contiguous || appended.start < 0)
        return false;
    // Only when the file still ends with these bytes: if another program appended
    // after them, cutting back would take its text too.
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return false;
    if (status.st_size != appended.start + static_cast<off_t>(appended.length))
        return false;
    return ::ftruncate(fd, appended.start) == 0;
}

} // namespace tovarin
