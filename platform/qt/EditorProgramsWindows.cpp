#include "platform/qt/EditorStart.h"

namespace tovarin {

// Notepad, started directly (no shell): the file's name reaches it as one argument,
// spaces, "&" and "%" included.
QStringList editorPrograms() {
    return {QStringLiteral("notepad.exe")};
}

} // namespace tovarin
