#pragma once
// Appending text to a file in one piece, or not at all: the report file "Tvrn.txt"
// collects one calculation sheet after another. Qt-free.

#include <cstddef>
#include <string>
#include <sys/types.h>

namespace tovarin {

// Appends `bytes` to the file at `path`. The file is created when missing and never
// truncated; a folder, device, FIFO or socket by that name is refused without being
// opened. When a write fails, the part already written is taken back, unless another
// program appended after it meanwhile: the file is then left as it is and the message
// says so. Returns the message for the user in Japanese, empty on success.
std::string appendWhole(const std::string& path, const std::string& bytes);

// Where the bytes of one append went in the file.
struct AppendedBytes {
    off_t start = -1;       // offset of the first byte written; -1 when none was
    size_t length = 0;      // bytes written
    bool contiguous = true; // false when another writer's bytes came between them
    int error = 0;          // errno of the write that failed; 0 when all were written
};

// Cuts the file open on `fd` back to where the appended bytes began, but only when
// they are still its last bytes. True when nothing of them is left in the file.
bool takeBackAppended(int fd, const AppendedBytes& appended);

} // namespace tovarin
