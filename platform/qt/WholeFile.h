#pragma once
// Writing a whole file by name, or leaving the name as it was: the bytes go to a
// temporary file beside it and replace the name only after every byte is written.
// Only a regular file (a symbolic link to one included) or a free name is written:
// saving over a device, FIFO or socket would replace it with a plain file.

#include <QByteArray>
#include <QString>

namespace tovarin {

enum class WholeFileWrite {
    Written,
    Folder,     // the name is a folder
    NotRegular, // a device, FIFO or socket: nothing opened, nothing replaced
    Short,      // not every byte reached the disk (a full disk, a size limit)
    Failed,     // the temporary file could not be made, or not put in place
};

WholeFileWrite writeWholeFile(const QString& path, const QByteArray& bytes);

} // namespace tovarin
