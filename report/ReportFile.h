#pragma once
// The calculation sheet as the text of the report file "Tvrn.txt", and appending it
// to that file. Qt-free.

#include "CalcSheet.h"

#include <string>
#include <sys/types.h>

namespace tovarin {

// The report file, by its bare name: it lives in the current working directory.
inline constexpr const char* reportFileName = "Tvrn.txt";

struct SheetText {
    bool ok = false;
    std::string bytes;   // code page 932, every line ending in CR LF
    int alertLines = 0;  // NG lines in the text
    std::string message; // Japanese reason when the text cannot be encoded
};

// Groups 1 to 3 of the sheet as the report file holds them.
SheetText sheetText(const CalcSheet& sheet);

struct ReportWrite {
    bool ok = false;
    int alertLines = 0;  // NG lines written
    std::string message; // Japanese message for the user when it failed
};

// Appends the whole sheet to the file at `path` in one write. The file is created
// when missing and never truncated; a folder, device, FIFO or socket by that name is
// refused without being opened. When a write fails, the part of this sheet already
// written is taken back, unless another program appended after it meanwhile: the
// file is then left as it is and the message says so.
ReportWrite appendSheet(const CalcSheet& sheet, const std::string& path = reportFileName);

// Where the bytes of one append went in the file.
struct AppendedBytes {
    off_t start = -1;        // offset of the first byte written; -1 when none was
    size_t length = 0;       // bytes written
    bool contiguous = true;  // false when another writer's bytes came between them
    int error = 0;           // errno of the write that failed; 0 when all were written
};

// Cuts the file open on `fd` back to where the appended bytes began, but only when
// they are still its last bytes. True when nothing of them is left in the file.
bool takeBackAppended(int fd, const AppendedBytes& appended);

} // namespace tovarin
