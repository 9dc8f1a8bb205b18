#include "platform/qt/FileNames.h"

#include <QFile>

namespace tovarin {

std::string fileSystemName(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString nameOfArgument(const QByteArray& argument) {
    return QFile::decodeName(argument);
}

bool argumentKeepsItsBytes(const QByteArray& argument) {
    return QFile::encodeName(QFile::decodeName(argument)) == argument;
}

QList<QByteArray> commandLineArguments(int argc, char* argv[]) {
    QList<QByteArray> arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QByteArray(argv[index]);
    return arguments;
}

} // namespace tovarin
