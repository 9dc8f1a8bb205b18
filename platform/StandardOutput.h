#pragma once
// Standard output as a byte stream: what is written goes out unchanged (no line-end
// translation), and a write that fails is told, with the system's reason. Qt-free.

#include <string>

namespace tovarin {

// Makes standard output and standard error byte streams, before the first write to
// either: on Windows they would otherwise turn every LF into CR LF.
void setUpStandardStreams();

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
