#include "platform/qt/FileNames.h"

#include <windows.h>

#include <shellapi.h>

namespace tovarin {

// Windows names are UTF-16; the platform layer takes them in UTF-8, which holds every
// one of them.
std::string fileSystemName(const QString& path) {
    return path.toUtf8().toStdString();
}

QString nameOfArgument(const QByteArray& argument) {
    return QString::fromUtf8(argument);
}

// The arguments come from the UTF-16 command line (commandLineArguments): every name
// survives.
bool argumentKeepsItsBytes(const QByteArray&) {
    return true;
}

// The C runtime's argv holds the arguments in the ANSI code page, which loses every
// character outside it; the UTF-16 command line keeps them all.
QList<QByteArray> commandLineArguments(int argc, char* argv[]) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    QList<QByteArray> arguments;
    if (!wide) {
        for (int index = 0; index < argc; ++index)
            arguments << QByteArray(argv[index]);
        return arguments;
    }
    for (int index = 0; index < count; ++index)
        arguments << QString::fromWCharArray(wide[index]).toUtf8();
    LocalFree(wide);
    return arguments;
}

} // namespace tovarin
