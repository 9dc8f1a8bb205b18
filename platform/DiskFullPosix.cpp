#include "platform/DiskFull.h"

#include <cerrno>

namespace tovarin {

bool meansDiskFull(int error) {
    return error == ENOSPC || error == EDQUOT;
}

} // namespace tovarin
