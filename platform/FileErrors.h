#pragma once
// Why a file could not be read or written, in Japanese, from the errno of the call
// that failed: one table for every message about a file. Qt-free.

namespace tovarin {

// The reason for the user, or nullptr when the error has no reason worth showing.
const char* fileErrorReason(int error);

} // namespace tovarin
