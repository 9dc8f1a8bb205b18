#include "platform/qt/UserFolders.h"

#include <QCoreApplication>

namespace tovarin {

QString documentFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Tovarin/");
}

// A bare name: the working directory's file.
QString reportFilePath(const QString& fileName) {
    return fileName;
}

} // namespace tovarin
