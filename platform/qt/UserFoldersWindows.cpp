#include "platform/qt/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace tovarin {

namespace {

// Documents\Tovarin, made when missing. When it cannot be made the name is still
// given: the dialog then opens elsewhere and the writing reports the missing folder.
QString userFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QDir(documents).filePath(QStringLiteral("Tovarin"));
    QDir().mkpath(folder);
    return QDir::toNativeSeparators(folder) + QLatin1Char('\\');
}

} // namespace

QString documentFolder() {
    return userFolder();
}

QString reportFilePath(const QString& fileName) {
    return userFolder() + fileName;
}

} // namespace tovarin
