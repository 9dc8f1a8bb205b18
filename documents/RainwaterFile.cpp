#include "documents/RainwaterFile.h"

#include "documents/DocumentFile.h"
#include "platform/FileErrors.h"
#include "platform/RegularFile.h"
#include "platform/qt/FileNames.h"

#include <cerrno>

namespace tovarin {

namespace {

// The sewage document's limit: a rainwater document of many areas stays far below it.
constexpr size_t largestRainwaterDocumentBytes = 4 * 1024 * 1024;

QString cannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("ファイル「%1」を開けません。\n%2").arg(path, reason);
}

QString openFailureReason(const RegularRead& read) {
    if (read.refused == PathKind::Folder)
        return QStringLiteral("フォルダは開けません。");
    if (read.refused == PathKind::Special)
        return QString::fromUtf8(notARegularFileReason);
    if (read.missing)
        return QStringLiteral("ファイルが見つかりません。");
    if (read.error == EAGAIN)
        return QString::fromUtf8(fileErrorReason(read.error));
    return QStringLiteral("ファイルを読み込めません。");
}

} // namespace

RainwaterFileRead readRainwaterFile(const QString& path) {
    RainwaterFileRead read;
    const RegularRead file = readRegularFile(fileSystemName(path), largestRainwaterDocumentBytes);
    if (!file.ok) {
        read.message = cannotOpen(path, openFailureReason(file));
        return read;
    }
    if (file.bytes.size() > largestRainwaterDocumentBytes) {
        read.message = cannotOpen(
            path, QStringLiteral("このファイルはTovarinの雨水の計算書データではありません。"));
        return read;
    }
    RainwaterDocumentRead parsed = parseRainwaterDocument(file.bytes);
    if (!parsed.input) {
        read.message = cannotOpen(path, QString::fromStdString(parsed.message));
        return read;
    }
    read.input = std::move(parsed.input);
    return read;
}

bool fileLooksLikeRainwaterDocument(const QString& path) {
    const RegularRead file = readRegularFile(fileSystemName(path), 64);
    return file.ok && looksLikeRainwaterDocument(file.bytes);
}

RainwaterFileWrite writeRainwaterFile(const QString& path, const RainwaterInput& input) {
    RainwaterFileWrite written;
    const RainwaterDocumentText document = rainwaterDocumentText(input);
    if (!document.ok()) {
        written.message = QStringLiteral("ファイル「%1」に保存できませんでした。\n%2")
                              .arg(path, QString::fromStdString(document.message));
        written.focus = document.focus;
        written.row = document.row;
        return written;
    }
    written.message = writeDocumentFile(path, document.text);
    return written;
}

} // namespace tovarin
