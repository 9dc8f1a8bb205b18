#include "platform/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tovarin {

RegularRead readRegularFile(const std::string& path, size_t limit) {
    RegularRead read;
    const RegularOpen opened = openRegularFile(path, O_RDONLY);
    if (opened.fd < 0) {
        read.refused = opened.refused;
        read.error = opened.error;
        read.missing = opened.error == ENOENT || opened.error == ENOTDIR;
        return read;
    }
    char buffer[65536];
    while (read.bytes.size() <= limit) {
        const size_t wanted = std::min(sizeof buffer, limit + 1 - read.bytes.size());
        const ssize_t n = ::read(opened.fd, buffer, wanted);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            read.error = errno;
            ::close(opened.fd);
            return read;
        }
        if (n == 0)
            break;
        read.bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(opened.fd);
    read.ok = true;
    return read;
}

} // namespace tovarin
