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

} // namespace tovarin
