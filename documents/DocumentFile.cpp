#include "documents/DocumentFile.h"

#include "engine/NumberText.h"
#include "platform/FileErrors.h"
#include "platform/RegularFile.h"
#include "platform/qt/FileNames.h"
#include "platform/qt/WholeFile.h"

#include <cerrno>

namespace tovarin {

namespace {

// A document has at most 33 lines of typed text; anything this large is some other
// file chosen by mistake, and is not read into memory. The writer refuses what the
// reader would, so that every document saved opens again.
constexpr size_t largestDocumentBytes = 4 * 1024 * 1024;

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

QString cannotOpenDocument(const QString& path, const QString& reason) {
    return cannotOpen(path, reason);
}

DocumentBytes readDocumentBytes(const QString& path) {
    DocumentBytes read;
    // Only a regular file is opened at all: a FIFO would wait for a writer for ever.
    RegularRead file = readRegularFile(fileSystemName(path), largestDocumentBytes);
    if (!file.ok) {
        read.message = cannotOpen(path, openFailureReason(file));
        return read;
    }
    if (file.bytes.size() > largestDocumentBytes) {
        read.message = cannotOpen(
            path, QStringLiteral("ファイルが大きすぎます（計算書データは%1バイトまで）。")
                      .arg(QString::fromStdString(
                          formatNumber(static_cast<double>(largestDocumentBytes), "0"))));
        return read;
    }
    read.bytes = std::move(file.bytes);
    return read;
}

DocumentRead readDocumentFile(const QString& path) {
    DocumentRead read;
    const DocumentBytes file = readDocumentBytes(path);
    if (!file.bytes) {
        read.message = file.message;
        return read;
    }
    ParseResult parsed = parse(*file.bytes);
    if (!parsed.ok()) {
        read.message = cannotOpen(path, QString::fromStdString(parsed.message));
        return read;
    }
    read.record = std::move(parsed.record);
    return read;
}

QString writeDocumentFile(const QString& path, const std::string& bytes) {
    const auto failed = [&](const QString& reason) {
        return QStringLiteral("ファイル「%1」に保存できませんでした。\n%2").arg(path, reason);
    };
    if (bytes.size() > largestDocumentBytes)
        return failed(
            QStringLiteral("計算書データが大きすぎます（%1バイトまで）。保存しても開けません。")
                .arg(QString::fromStdString(
                    formatNumber(static_cast<double>(largestDocumentBytes), "0"))));
    const WholeFileResult written = writeWholeFile(
        path, QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    switch (written.outcome) {
    case WholeFileWrite::Written:
        return {};
    case WholeFileWrite::NotRegular:
        return failed(QString::fromUtf8(notARegularFileReason));
    case WholeFileWrite::Short:
        return failed(QStringLiteral("ディスクの空き容量が足りない可能性があります。"));
    case WholeFileWrite::Folder:
    case WholeFileWrite::Failed:
        break;
    }
    const QString reason = wholeFileFailureReason(written);
    return failed(reason.isEmpty() ? QStringLiteral("保存先のフォルダと名前を確認してください。")
                                   : reason);
}

DocumentKind documentKindOfFile(const QString& path) {
    const RegularRead file = readRegularFile(fileSystemName(path), documentKindBytes);
    return file.ok ? documentKindOf(file.bytes) : DocumentKind::Sewage;
}

} // namespace tovarin
