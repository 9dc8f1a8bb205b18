#include "SheetToolConsole.h"

#include "WholeFile.h"

#include <cstdio>

namespace tovarin {

MsgAnswer ConsolePlatform::message(QWidget*, const MessageRequest& request) {
    QString text = request.text;
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    lastMessage = text;
    const QString line = document + QStringLiteral(": ") + text + QLatin1Char('\n');
    std::fputs(line.toUtf8().constData(), stderr);
    return request.defaultButton;
}

void ConsolePlatform::report(const QString& text) {
    message(nullptr, MessageRequest{text, QString(), MsgButtons::Ok, MsgAnswer::Ok, MsgIcon::None});
}

bool writeStandardOutput(const std::string& bytes) {
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    const bool flushed = std::fflush(stdout) == 0;
    return written == bytes.size() && flushed;
}

QString writeOutputFile(const QString& path, const QByteArray& bytes) {
    switch (writeWholeFile(path, bytes)) {
    case WholeFileWrite::Written: return {};
    case WholeFileWrite::Folder:
    case WholeFileWrite::NotRegular:
        return QStringLiteral("「%1」は通常のファイルではありません。").arg(path);
    case WholeFileWrite::Short:
    case WholeFileWrite::Failed: break;
    }
    return QStringLiteral("ファイル「%1」に書き込めません。").arg(path);
}

} // namespace tovarin
