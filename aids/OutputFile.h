#pragma once
// Files of the design aids (a saved table or curve, --curve), written whole or not at all.

#include <QByteArray>
#include <QString>

namespace tovarin {

// Writes the bytes as the whole new content of a regular file, through a temporary
// file that replaces the old one only when every byte reached the disk. An existing
// name that is not a regular file (a folder, a FIFO, a device) is left alone.
// Returns the reason in Japanese when it failed, an empty text on success.
QString writeOutputFile(const QString& path, const QByteArray& bytes);

} // namespace tovarin
