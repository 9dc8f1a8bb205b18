#pragma once
// The command line of the program `tovarin`: `tovarin [FILE.tvr]`, `--help`, `--version`.
// It is read before any window system is touched, so that help, version and wrong
// arguments work without a display, and a missing display is told plainly instead of
// ending inside the window system.

#include <QByteArray>
#include <QList>
#include <QString>

namespace tovarin {

class MDIFofm;

struct StartRequest {
    enum class Action {
        Start,     // start the windows, then open `document` when it is not empty
        PrintHelp, // `output` to standard output, exit status 0
        PrintVersion,
        Refuse, // `output` to standard error, exit status `exitStatus`
    };
    Action action = Action::Start;
    QString document; // absolute path of the document named on the command line
    QString output;
    int exitStatus = 0;
};

// Reads the arguments as the program received them (the first is the program's name).
// File names are taken as bytes: a name that the file-name encoding cannot carry
// unchanged is refused rather than opened under another name.
StartRequest readCommandLine(const QList<QByteArray>& arguments);

// Why the program does not start without a display (displayAvailable, platform/qt):
// Japanese and English, for standard error.
QString noDisplayMessage();

// Opens the document named on the command line after start-up, as File → Open does
// with the name its dialog returns: the same reader, the same messages, the caption.
void openStartDocument(MDIFofm& window, const QString& path);

} // namespace tovarin
