#include "platform/DiskFull.h"

#include <cerrno>

namespace tovarin {

// Windows reports a full disk and an exceeded quota alike as ENOSPC.
bool meansDiskFull(int error) {
    return error == ENOSPC;
}

} // namespace tovarin
