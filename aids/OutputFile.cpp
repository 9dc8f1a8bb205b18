#include "aids/OutputFile.h"

#include "platform/qt/WholeFile.h"

namespace tovarin {

QString writeOutputFile(const QString& path, const QByteArray& bytes) {
    const WholeFileResult written = writeWholeFile(path, bytes);
    switch (written.outcome) {
    case WholeFileWrite::Written:
        return {};
    case WholeFileWrite::Folder:
    case WholeFileWrite::NotRegular:
        return QStringLiteral("「%1」は通常のファイルではありません。").arg(path);
    case WholeFileWrite::Short:
    case WholeFileWrite::Failed:
        break;
    }
    return QStringLiteral("ファイル「%1」に書き込めません。%2")
        .arg(path, wholeFileFailureReason(written));
}

} // namespace tovarin
