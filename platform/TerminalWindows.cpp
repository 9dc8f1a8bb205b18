#include "platform/Terminal.h"

#include <windows.h>

namespace tovarin {

// A console: a character device that has a console mode (the NUL device is a
// character device too, and no terminal).
bool standardOutputIsTerminal() {
    const HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
           GetFileType(handle) == FILE_TYPE_CHAR && GetConsoleMode(handle, &mode);
}

// The Windows console shows text in its own code page; the sheet's bytes go to it
// unchanged only when that is code page 932, as on a Japanese Windows.
bool localeIsCodePage932() {
    return GetConsoleOutputCP() == 932;
}

} // namespace tovarin
