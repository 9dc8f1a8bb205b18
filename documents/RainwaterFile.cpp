#include "documents/RainwaterFile.h"

#include "documents/DocumentFile.h"
#include "platform/RegularFile.h"
#include "platform/qt/FileNames.h"

namespace tovarin {

RainwaterFileRead readRainwaterFile(const QString& path) {
    RainwaterFileRead read;
    const DocumentBytes file = readDocumentBytes(path);
    if (!file.bytes) {
        read.message = file.message;
        return read;
    }
    RainwaterDocumentRead parsed = parseRainwaterDocument(*file.bytes);
    if (!parsed.input) {
        read.message = cannotOpenDocument(path, QString::fromStdString(parsed.message));
        return read;
    }
    read.input = std::move(parsed.input);
    return read;
}

RainwaterFileWrite writeRainwaterFile(const QString& path, const RainwaterInput& input) {
    RainwaterFileWrite written;
    const RainwaterDocumentText document = rainwaterDocumentText(input);
    if (!document.ok()) {
        written.message = QStringLiteral("ファイル「%1」に保存できませんでした。\n%2")
                              .arg(path, QString::fromStdString(document.refusal->message));
        written.refusal = document.refusal;
        return written;
    }
    written.message = writeDocumentFile(path, document.text);
    return written;
}

} // namespace tovarin
