#include "SheetToolConsole.h"

#include <QFileInfo>
#include <QSaveFile>

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

QString writeWholeFile(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("「%1」は通常のファイルではありません。").arg(path);
    QSaveFile file(path);
    // Unbuffered: a full disk shows in write() itself, before commit() could rename a
    // short temporary file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QStringLiteral("ファイル「%1」を作成できません。 %2").arg(path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return QStringLiteral("ファイル「%1」に書き込めません。 %2").arg(path, reason);
    }
    if (!file.commit())
        return QStringLiteral("ファイル「%1」に書き込めません。 %2").arg(path, file.errorString());
    return {};
}

} // namespace tovarin
