#pragma once
// Standard output as a byte stream: what is written goes out unchanged (no line-end
// translation), and a write that fails is told, with the system's reason. Qt-free.

#include <string>

namespace tovarin {

// Makes standard output and standard error byte streams, before the first write to
// either: on Windows they would otherwise turn every LF into CR LF.
void setUpStandardStreams();

// Opens the null device on every one of the descriptors 0 to 2 that was closed when
// the program started (`tovarin-sheet >&-`), first thing: the next file the program
// opened would otherwise get the number, and output meant for the closed stream would
// go into it. Returns whether standard output was one of them, so that the program
// can say so instead of writing into nothing.
bool openClosedStandardDescriptors();

// The message for output that cannot be written because standard output was closed.
inline constexpr const char* standardOutputClosedMessage = "標準出力が閉じられています。";

// Writes all bytes to standard output and flushes; false when that failed.
bool writeStandardOutput(const std::string& bytes);

// Writes UTF-8 text to standard output: as its bytes to a pipe or a file; a Windows
// console is given the text itself, since it would show the bytes in its own code page
// (932 on a Japanese Windows) as garbage. False when that failed.
bool writeStandardOutputText(const std::string& utf8);

// Writes UTF-8 text, a message, to standard error in the same way.
void writeStandardError(const std::string& utf8);

// Closes standard output, which reports a write that failed only at the end.
bool closeStandardOutput();

// The system's reason for the last failed write or close, for a message.
std::string lastOutputFailureReason();

} // namespace tovarin
