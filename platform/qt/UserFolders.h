#pragma once
// Where the program's files live. On Linux the document folder "Tovarin" is below the
// program's folder and the report file "Tvrn.txt" is in the working directory. On
// Windows the program's folder (under Program Files) is not writable and the working
// directory of a program started from the Start menu or by a double-click is not
// the user's: both go to the folder "Tovarin" in the user's Documents.

#include <QString>

namespace tovarin {

// The folder the file dialogs open in, ending in a separator. Not created on Linux;
// created on Windows when missing.
QString documentFolder();

// The folder the document file dialogs open in: the folder of the document last
// opened or saved through them, in this run or an earlier one, while it is still a
// folder; before that, documentFolder(). Ends in a separator.
QString documentDialogFolder();
// Keeps the folder of `file`, a document just opened or saved through a dialog, for
// documentDialogFolder (a small stored setting of the user's).
void rememberDocumentFolder(const QString& file);
// Forgets it: the dialogs open in documentFolder() again, as on the first start.
void forgetDocumentFolder();
// The file the setting is kept in.
QString storedSettingsFileName();

// The report file `fileName` ("Tvrn.txt") as the writing and the editor take it. On
// Windows its folder is created when missing.
QString reportFilePath(const QString& fileName);

} // namespace tovarin
