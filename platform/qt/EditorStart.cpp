#include "platform/qt/EditorStart.h"

namespace tovarin {

void startEditor(Platform& platform, const QString& file) {
    const QStringList arguments{file};
    for (const QString& program : editorPrograms()) {
        // One editor is enough: trying on would open the file several times.
        if (platform.startProgram(program, arguments))
            return;
    }
}

} // namespace tovarin
