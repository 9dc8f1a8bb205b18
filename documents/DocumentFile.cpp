#include "DocumentFile.h"

#include "RegularFile.h"
#include "WholeFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tovarin {

namespace {

// A document has at most 33 lines of typed text; anything this large is some other
// file chosen by mistake, and is not read into memory.
constexpr qint64 largestDocumentBytes = 4 * 1024 * 1024;

QString cannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("ファイル「%1」を開けません。\n%2").arg(path, reason);
}

QString openFailureReason(const RegularOpen& opened) {
    if (opened.refused == PathKind::Folder)
        return QStringLiteral("フォルダは開けません。");
    if (opened.refused == PathKind::Special)
        return QString::fromUtf8(notARegularFileReason);
    if (opened.error == ENOENT || opened.error == ENOTDIR)
        return QStringLiteral("ファイルが見つかりません。");
    return QStringLiteral("ファイルを読み込めません。");
}

std::string fileSystemName(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

DocumentRead readDocumentFile(const QString& path) {
    DocumentRead read;
    // Only a regular file is opened at all: a FIFO would wait for a writer for ever.
    const RegularOpen opened = openRegularFile(fileSystemName(path), O_RDONLY);
    if (opened.fd < 0) {
        read.message = cannotOpen(path, openFailureReason(opened));
        return read;
    }
    QFile file;
    if (!file.open(opened.fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(opened.fd);
        read.message = cannotOpen(path, QStringLiteral("ファイルを読み込めません。"));
        return read;
    }
    const QByteArray bytes = file.read(largestDocumentBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        read.message = cannotOpen(path, QStringLiteral("ファイルを読み込めません。"));
        return read;
    }
    file.close();
    if (bytes.size() > largestDocumentBytes) {
        read.message = cannotOpen(
            path, QStringLiteral("このファイルはTovarinの計算書データではありません。"));
        return read;
    }

    ParseResult parsed = parse(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!parsed.ok()) {
        read.message = cannotOpen(path, QString::fromStdString(parsed.message));
        return read;
    }
    read.record = std::move(parsed.record);
    return read;
}

QString writeDocumentFile(const QString& path, const std::string& bytes) {
    const QString failed =
        QStringLiteral("ファイル「%1」に保存できませんでした。\n保存先のフォルダと名前を確認してください。")
            .arg(path);
    switch (writeWholeFile(path, QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())))) {
    case WholeFileWrite::Written: return {};
    case WholeFileWrite::NotRegular:
        return QStringLiteral("ファイル「%1」に保存できませんでした。\n%2")
            .arg(path, QString::fromUtf8(notARegularFileReason));
    case WholeFileWrite::Short:
        return QStringLiteral("ファイル「%1」に保存できませんでした。\n"
                              "ディスクの空き容量が足りない可能性があります。")
            .arg(path);
    case WholeFileWrite::Folder:
    case WholeFileWrite::Failed: break;
    }
    return failed;
}

} // namespace tovarin
