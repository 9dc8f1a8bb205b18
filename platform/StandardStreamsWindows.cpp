#include "platform/StandardOutput.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace tovarin {

// Binary mode: the sheet's CR LF stays CR LF and a lone LF stays LF, on a console, a
// pipe or a file alike.
void setUpStandardStreams() {
    std::fflush(stdout);
    std::fflush(stderr);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

// A Windows program started without a stream gets none (no descriptor number to be
// taken by another file): the writes fail and are reported as they are.
bool openClosedStandardDescriptors() {
    return false;
}

} // namespace tovarin
