#pragma once
// Whether standard output is a terminal that a person reads, and whether that
// terminal shows code page 932 bytes as they are. Qt-free; one file per system.

namespace tovarin {

// True when standard output is a terminal, not a pipe, a file or another device:
// on Linux a tty, on Windows a console (a character device to the system).
bool standardOutputIsTerminal();

// True when the terminal shows code page 932 (Shift_JIS) bytes as they are. On Linux,
// when the user's locale (LC_ALL, LC_CTYPE, LANG) names code page 932 as its character
// set; any other locale is taken as a UTF-8 terminal. On Windows, when the console's
// output code page is 932, as on a Japanese Windows; any other is taken as UTF-8.
bool localeIsCodePage932();

} // namespace tovarin
