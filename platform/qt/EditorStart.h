#pragma once
// Starts an external text editor on a text file: the report file "Tvrn.txt"
// ("起動(&O)").

#include "platform/qt/Platform.h"

#include <QStringList>

namespace tovarin {

// An editor and the options given before the file's name (the file's encoding, where
// the editor takes one).
struct EditorCommand {
    QString program;
    QStringList options;
};

// The editors tried, in this order: on Linux the desktops' text editors, the last
// one handing the file to the desktop's own choice; on Windows Notepad.
QList<EditorCommand> editorCommands();

// Tries the editors in order with `file`, which the editor resolves against the
// inherited working directory when it is a bare name, and stops at the first that
// starts. A program that does not start is passed over silently; the file is not
// written.
void startEditor(Platform& platform, const QString& file);

} // namespace tovarin
