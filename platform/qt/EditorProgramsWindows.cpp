#include "platform/qt/EditorStart.h"

namespace tovarin {

// Notepad, started directly (no shell): the file's name reaches it as one argument,
// spaces, "&" and "%" included. It reads code page 932 as the system's own code page
// on a Japanese Windows, and takes no encoding on its command line.
QList<EditorCommand> editorCommands() {
    return {{QStringLiteral("notepad.exe"), {}}};
}

} // namespace tovarin
