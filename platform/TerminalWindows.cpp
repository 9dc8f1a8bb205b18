#include "platform/Terminal.h"

#include <windows.h>

namespace tovarin {

// A console is a character device to the system.
bool standardOutputIsTerminal() {
    return GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR;
}

// The Windows console shows text in its own code page; the sheet's bytes go to it
// unchanged only when that is code page 932, as on a Japanese Windows.
bool localeIsCodePage932() {
    return GetConsoleOutputCP() == 932;
}

} // namespace tovarin
