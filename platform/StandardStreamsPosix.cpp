#include "platform/StandardOutput.h"

#include <cstdio>

namespace tovarin {

// The streams of a POSIX system are byte streams already.
void setUpStandardStreams() {}

// A terminal takes the bytes of UTF-8 text as they are.
bool writeStandardOutputText(const std::string& utf8) {
    return writeStandardOutput(utf8);
}

void writeStandardError(const std::string& utf8) {
    std::fputs(utf8.c_str(), stderr);
    std::fflush(stderr);
}

} // namespace tovarin
