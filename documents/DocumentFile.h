#pragma once
// Reading and writing a document file as a whole. A file is read and parsed
// completely before any window is touched, and written through a temporary file in
// the same folder that replaces the old file only once it is complete.

#include "documents/record/DocumentKind.h"
#include "documents/record/DocumentRecord.h"

#include <QString>

#include <optional>
#include <string>

namespace tovarin {

struct DocumentRead {
    std::optional<DocumentRecord> record; // set when the file is a whole document
    QString message;                      // why not, naming the file, for the user
};

// The bytes of a document file (sewage or rainwater) within the documents' size
// limit; without them, the message for the user that names the file and why.
struct DocumentBytes {
    std::optional<std::string> bytes;
    QString message;
};
DocumentBytes readDocumentBytes(const QString& path);

// The kind of the document at `path`, by its first bytes (documentKindOf); a file that
// cannot be read counts as a sewage document, whose reader then says why.
DocumentKind documentKindOfFile(const QString& path);

// "ファイル「…」を開けません。" with the reason on a line of its own.
QString cannotOpenDocument(const QString& path, const QString& reason);

// Reads and parses the file at `path`. A missing, unreadable, oversized, foreign or
// truncated file gives a message and no record, as does a name that is not a regular
// file (folder, device, FIFO, socket), which is not even opened.
DocumentRead readDocumentFile(const QString& path);

// Writes the bytes to `path`: the old file, if any, stays untouched until the new
// content is complete on disk, and a short write leaves it as it was. Only a regular
// file (or a symbolic link to one) is replaced, or a name that is free. Returns an
// empty string on success, otherwise the message for the user, naming the file.
QString writeDocumentFile(const QString& path, const std::string& bytes);

} // namespace tovarin
