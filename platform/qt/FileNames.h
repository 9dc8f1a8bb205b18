#pragma once
// File names between Qt's texts and the system: the bytes the file functions of the
// platform layer take, and command-line arguments that are no name Qt can give back.

#include <QByteArray>
#include <QList>
#include <QString>

#include <string>

namespace tovarin {

// The name as the file functions of the platform layer take it: the system's bytes on
// Linux, UTF-8 on Windows.
std::string fileSystemName(const QString& path);

// The name a command-line argument stands for, as Qt reads it.
QString nameOfArgument(const QByteArray& argument);

// False when the argument's bytes are not a name in the system's encoding (UTF-8
// on Linux): Qt would replace the bytes it cannot read and so name another file.
// Never on Windows, whose names are UTF-16.
bool argumentKeepsItsBytes(const QByteArray& argument);

// The program's arguments, the program's name first, as bytes nameOfArgument reads.
QList<QByteArray> commandLineArguments(int argc, char* argv[]);

// The argument readably: bytes that are not ASCII as \xHH.
QString shownBytes(const QByteArray& argument);

// The one message for such a name, in Japanese.
QString nameNotInSystemEncodingMessage();

} // namespace tovarin
