#include "platform/qt/EditorStart.h"

namespace tovarin {

QStringList editorPrograms() {
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("mousepad"),
            QStringLiteral("kwrite"),
            QStringLiteral("pluma"),
            QStringLiteral("xed"),
            QStringLiteral("xdg-open")};
}

void startEditor(Platform& platform, const QString& file) {
    const QStringList arguments{file};
    for (const QString& program : editorPrograms()) {
        // One editor is enough: trying on would open the file several times.
        if (platform.startProgram(program, arguments))
            return;
    }
}

} // namespace tovarin
