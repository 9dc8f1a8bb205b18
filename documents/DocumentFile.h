#pragma once
// Reading and writing a document file as a whole. A file is read and parsed
// completely before any window is touched, and written through a temporary file in
// the same folder that replaces the old file only once it is complete.

#include "DocumentRecord.h"

#include <QString>

#include <optional>
#include <string>

namespace tovarin {

struct DocumentRead {
    std::optional<DocumentRecord> record; // set when the file is a whole document
    QString message;                      // why not, naming the file, for the user
};

// Reads and parses the file at `path`. A missing, unreadable, oversized, foreign or
// truncated file gives a message and no record.
DocumentRead readDocumentFile(const QString& path);

// Writes the bytes to `path`: the old file, if any, stays untouched until the new
// content is complete on disk. Returns an empty string on success, otherwise the
// message for the user, naming the file.
QString writeDocumentFile(const QString& path, const std::string& bytes);

} // namespace tovarin
