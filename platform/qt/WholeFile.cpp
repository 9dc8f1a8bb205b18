#include "platform/qt/WholeFile.h"

#include "platform/RegularFile.h"
#include "platform/qt/FileNames.h"

#include <QFile>
#include <QSaveFile>

namespace tovarin {

WholeFileWrite writeWholeFile(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return WholeFileWrite::Failed;
    switch (pathKind(fileSystemName(path))) {
    case PathKind::Folder:
        return WholeFileWrite::Folder;
    case PathKind::Special:
        return WholeFileWrite::NotRegular;
    case PathKind::Absent:
    case PathKind::Regular:
        break;
    }
    // Unbuffered, so that a full disk shows in the write itself: a failure of the
    // flush inside commit() would go unnoticed and the short temporary file would
    // replace the old one. An unfinished QSaveFile discards its temporary file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WholeFileWrite::Failed;
    const qint64 size = bytes.size();
    if (file.write(bytes) != size || !file.flush() || file.size() != size)
        return WholeFileWrite::Short;
    if (!file.commit())
        return WholeFileWrite::Failed;
    return WholeFileWrite::Written;
}

} // namespace tovarin
