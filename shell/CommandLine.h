#pragma once
// The command line of the program `tovarin`: `tovarin [FILE.tvr]`, `--help`, `--version`,
// in the convention both programs share (CommandLineConvention.h), and
// `tovarin --aids [FILE.tvr…]` for the 設計補助 window alone.
// It is read before any window system is touched, so that help, version and wrong
// arguments work without a display, and a missing display is told plainly instead of
// ending inside the window system.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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
    QString document;          // absolute path of the document named on the command line
    bool aids = false;         // --aids: the 設計補助 window instead of the main window
    QStringList aidsDocuments; // its documents, absolute paths
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
// When a display is named but the window system cannot start on it (no server there,
// or no platform plugin that can use it): Japanese and English, naming the settings.
QString windowSystemFailedMessage();

// Opens the document named on the command line after start-up, as File → Open does
// with the name its dialog returns: the same reader, the same messages, the caption.
void openStartDocument(MDIFofm& window, const QString& path);

} // namespace tovarin
