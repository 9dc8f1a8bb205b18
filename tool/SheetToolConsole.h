#pragma once
// What every mode of tovarin-sheet shares: the platform that answers the program's
// dialogs on standard error, and checked output to standard output and to files.

#include "platform/StandardOutput.h"
#include "platform/qt/Platform.h"

#include <QHash>
#include <QString>

#include <string>

namespace tovarin {

// Never blocks: every message goes to standard error under the document's name and
// is answered with its default button; file dialogs are cancelled, nothing starts.
class ConsolePlatform : public Platform {
public:
    QString document;
    QString outputFile; // --pdf, --curve: shown in messages as the document's name is
    int beeps = 0;
    QString lastMessage; // the latest message, on one line

    MsgAnswer message(QWidget*, const MessageRequest& request) override;
    QString openFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    QString saveFileName(QWidget*, const FileDialogRequest&) override { return {}; }
    bool printSetup(QWidget*, QPrinter&) override { return false; }
    void beep() override { ++beeps; }
    bool startProgram(const QString&, const QStringList&) override { return false; }

    // A message of the tool itself, under the document's name.
    void report(const QString& text);

    // Names of the command line that are not UTF-8: the placeholder that stands for
    // each, with its bytes shown readably (SheetToolArguments::unusableNames).
    QHash<QString, QString> unusableNames;
    // Refuses a document whose name is one of them, with a message under its bytes:
    // Qt would open another name (its bytes replaced), not this file.
    bool refusesNameNotInUtf8(const QString& file);
};

// The tool's windows are never shown, so no assistive technology can ever read them.
// Qt still builds a full accessibility description of each control whose text or
// state changes; after this every control gets a bare one instead, which costs a
// fraction. Called once, before the first window is made.
void describeUnseenControlsBarely();

// Why an output file cannot be written, as far as that shows before writing: the name
// is a folder or a device, or its folder is missing. In Japanese, the system's reason
// included; empty when nothing stands in the way.
QString outputFileProblem(const QString& path);

} // namespace tovarin
