#include "platform/qt/EditorStart.h"

namespace tovarin {

void startEditor(Platform& platform, const QString& file) {
    for (const EditorCommand& editor : editorCommands()) {
        // One editor is enough: trying on would open the file several times.
        if (platform.startProgram(editor.program, editor.options + QStringList{file}))
            return;
    }
}

} // namespace tovarin
