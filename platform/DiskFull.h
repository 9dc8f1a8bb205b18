#pragma once
// Whether a failed write's errno means the disk (or the user's quota) is full. Qt-free.

namespace tovarin {

bool meansDiskFull(int error);

} // namespace tovarin
