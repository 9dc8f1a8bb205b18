#include "platform/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tovarin {

// The streams of a POSIX system are byte streams already.
void setUpStandardStreams() {}

bool openClosedStandardDescriptors() {
    bool outputClosed = false;
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (::fcntl(descriptor, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open() gives the lowest free number, which is this one.
        const int opened = ::open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor)
            ::close(opened);
        if (descriptor == 1)
            outputClosed = true;
    }
    return outputClosed;
}

// A terminal takes the bytes of UTF-8 text as they are.
bool writeStandardOutputText(const std::string& utf8) {
    return writeStandardOutput(utf8);
}

void writeStandardError(const std::string& utf8) {
    std::fputs(utf8.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace tovarin
