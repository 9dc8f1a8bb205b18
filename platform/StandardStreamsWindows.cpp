#include "platform/StandardOutput.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <windows.h>

namespace tovarin {

namespace {

// The console behind a standard handle, or nullptr for a pipe, a file or a device.
// Only a character device is asked for a console mode, which only a console has: a
// pipe or a file is never sent the console's request.
HANDLE consoleOf(DWORD standardHandle) {
    HANDLE handle = GetStdHandle(standardHandle);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE ||
        GetFileType(handle) != FILE_TYPE_CHAR)
        return nullptr;
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) ? handle : nullptr;
}

// The text as UTF-16, whatever the console's code page; false when that failed.
bool writeToConsole(HANDLE console, const std::string& utf8) {
    if (utf8.empty())
        return true;
    const int size = static_cast<int>(utf8.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    if (length <= 0) {
        errno = EILSEQ;
        return false;
    }
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, text.data(), length);
    const wchar_t* rest = text.data();
    DWORD left = static_cast<DWORD>(length);
    while (left > 0) {
        // Pieces of at most 8192 units, never ending between the two halves of a
        // character outside the Basic Multilingual Plane.
        DWORD piece = std::min<DWORD>(left, 8192);
        if (piece < left && IS_HIGH_SURROGATE(rest[piece - 1]))
            --piece;
        DWORD written = 0;
        if (!WriteConsoleW(console, rest, piece, &written, nullptr) || written == 0) {
            errno = EIO;
            return false;
        }
        rest += written;
        left -= written;
    }
    return true;
}

} // namespace

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

bool writeStandardOutputText(const std::string& utf8) {
    if (HANDLE console = consoleOf(STD_OUTPUT_HANDLE)) {
        std::fflush(stdout);
        return writeToConsole(console, utf8);
    }
    return writeStandardOutput(utf8);
}

void writeStandardError(const std::string& utf8) {
    if (HANDLE console = consoleOf(STD_ERROR_HANDLE)) {
        std::fflush(stderr);
        writeToConsole(console, utf8);
        return;
    }
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}

} // namespace tovarin
