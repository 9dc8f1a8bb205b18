#pragma once
// Starts an external text editor on a text file: the report file "Tvrn.txt"
// ("起動(&O)").

#include "platform/qt/Platform.h"

#include <QStringList>

namespace tovarin {

// The editors tried, in this order: on Linux the desktops' text editors, the last
// one handing the file to the desktop's own choice; on Windows Notepad.
QStringList editorPrograms();

// Tries the editors in order with `file`, which the editor resolves against the
// inherited working directory when it is a bare name, and stops at the first that
// starts. A program that does not start is passed over silently; the file is not
// written.
void startEditor(Platform& platform, const QString& file);

} // namespace tovarin
