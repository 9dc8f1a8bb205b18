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

// Closes standard output, which reports a write that failed only at the end.
bool closeStandardOutput();

// The system's reason for the last failed write or close, for a message.
std::string lastOutputFailureReason();

} // namespace tovarin
