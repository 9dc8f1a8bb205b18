#pragma once
// Starts an external text editor on the report file "Tvrn.txt" ("起動(&O)").

#include "Platform.h"

#include <QStringList>

namespace tovarin {

// The editors tried, in this order; the last one hands the file to the desktop's
// own choice.
QStringList editorPrograms();

// Tries the editors in order with the bare file name, which the editor resolves
// against the inherited working directory, and stops at the first that starts.
// A program that does not start is passed over silently; the file is not written.
void startEditor(Platform& platform);

} // namespace tovarin
