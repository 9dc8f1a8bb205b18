#include "DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tovarin {

namespace {

// A document has at most 33 lines of typed text; anything this large is some other
// file chosen by mistake, and is not read into memory.
constexpr qint64 largestDocumentBytes = 4 * 1024 * 1024;

QString cannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("ファイル「%1」を開けません。\n%2").arg(path, reason);
}

} // namespace

DocumentRead readDocumentFile(const QString& path) {
    DocumentRead read;
    const QFileInfo info(path);
    if (!info.exists()) {
        read.message = cannotOpen(path, QStringLiteral("ファイルが見つかりません。"));
        return read;
    }
    if (info.isDir()) {
        read.message = cannotOpen(path, QStringLiteral("フォルダは開けません。"));
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.message = cannotOpen(path, QStringLiteral("ファイルを読み込めません。"));
        return read;
    }
    // Read with a limit: a device file would never end.
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
    if (path.isEmpty() || QFileInfo(path).isDir()) return failed;

    // QSaveFile writes a temporary file beside the target and renames it over the
    // target on commit; a failure on the way leaves the old file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return failed;
    const qint64 size = static_cast<qint64>(bytes.size());
    // An unfinished QSaveFile discards its temporary file when it goes.
    if (file.write(bytes.data(), size) != size) return failed;
    if (!file.commit()) return failed;
    return {};
}

} // namespace tovarin
