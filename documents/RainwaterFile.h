#pragma once
// Reading and writing a rainwater document file (.tvu) as a whole, with the same
// safety as the sewage document: only a regular file is read, and at most as many
// bytes as a sewage document; writing goes through the whole-file writer, so the old
// file stays untouched until the new one is complete.

#include "documents/record/RainwaterRecord.h"

#include <QString>

#include <optional>

namespace tovarin {

struct RainwaterFileRead {
    std::optional<RainwaterInput> input; // set when the file is a whole document
    QString message;                     // why not, naming the file (and the line)
};

// Reads and parses the file at `path`.
RainwaterFileRead readRainwaterFile(const QString& path);

struct RainwaterFileWrite {
    QString message; // empty when written; otherwise the message, naming the file
    // Set when the input itself cannot be saved (nothing was written): its place.
    std::optional<RainwaterRefusal> refusal;
    bool ok() const { return message.isEmpty(); }
};

// Writes the document of `input` to `path` (UTF-8, LF line ends).
RainwaterFileWrite writeRainwaterFile(const QString& path, const RainwaterInput& input);

} // namespace tovarin
