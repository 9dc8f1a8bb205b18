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
    // The program hands the file to the desktop's own choice and ends, unsuccessfully
    // when there is none it could start (xdg-open).
    bool handsOver = false;
};

// The editors tried, in this order: on Linux the desktops' text editors, the last
// one handing the file to the desktop's own choice; on Windows Notepad.
QList<EditorCommand> editorCommands();

// Tries the editors in order with `file`, which the editor resolves against the
// inherited working directory when it is a bare name, and stops at the first that
// starts. A program that does not start is passed over; when none starts, or the
// desktop's choice ends unsuccessfully, a message (noEditorMessage) says so over
// `parent`. The file is not written.
void startEditor(Platform& platform, QWidget* parent, const QString& file);

// That no text editor was found, and where the report file is.
QString noEditorMessage(const QString& file);

} // namespace tovarin
