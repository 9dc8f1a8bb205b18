#pragma once
// Whether standard output is a terminal that a person reads, and in which encoding
// it shows text. Qt-free.

namespace tovarin {

// True when standard output is a terminal, not a pipe, a file or a device.
bool standardOutputIsTerminal();

// True when the user's locale (LC_ALL, LC_CTYPE, LANG) names code page 932 (Shift_JIS)
// as its character set: a terminal run in it shows code page 932 bytes as they are.
// Any other locale is taken as a UTF-8 terminal.
bool localeIsCodePage932();

} // namespace tovarin
