#include "platform/qt/FileNames.h"

namespace tovarin {

QString shownBytes(const QByteArray& argument) {
    QString shown;
    for (const char c : argument) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x80 ? QString(QLatin1Char(c))
                             : QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return shown;
}

QString nameNotInSystemEncodingMessage() {
    return QStringLiteral(
        "ファイル名がUTF-8で表せないため、使えません。UTF-8の名前に変えてください。");
}

} // namespace tovarin
