#include "platform/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tovarin {

bool writeStandardOutput(const std::string& bytes) {
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    const bool flushed = std::fflush(stdout) == 0;
    return written == bytes.size() && flushed;
}

bool closeStandardOutput() {
    return std::fclose(stdout) == 0;
}

std::string lastOutputFailureReason() {
    return std::strerror(errno);
}

} // namespace tovarin
