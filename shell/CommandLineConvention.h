#pragma once
// The command-line convention of both programs, tovarin and tovarin-sheet, read before
// any application object exists (so that Qt never sees the arguments):
// - options as GNU tools write them: --name, --name=VALUE, --name VALUE, -x; a single
//   dash before a word of several letters reads as two (-help as --help); "--" ends the
//   options, so that a document whose name begins with a dash can be named after it;
// - usage errors in Japanese and in English, then the usage, exit status 2;
// - --version with the copyright and licence, --help ending with where to report faults;
// - help or version that cannot be written (a full disk) is told, exit status 1.

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace tovarin {

struct KnownOption {
    QString name; // the long name, without "--"
    QChar letter; // the one-letter name, without "-"; null when there is none
    bool takesValue = false;
};

// Why the arguments cannot be used, in both languages (each one sentence, no program
// name); empty when they can.
struct UsageError {
    QString japanese;
    QString english;
    bool isEmpty() const { return japanese.isEmpty(); }
};

struct ParsedArguments {
    struct Given {
        QString name;           // the option's long name
        QString value;          // its value, for an option that takes one
        qsizetype position = 0; // the index in the arguments of the value (or the option)
        bool joined = false;    // the value follows "=" in the option's own argument
    };
    QList<Given> options;              // in the order given
    QStringList operands;              // the other arguments: documents, in order
    QList<qsizetype> operandPositions; // the index in the arguments of each operand
    UsageError error;

    qsizetype count(const QString& name) const;
    // The last time the option was given, or null.
    const Given* find(const QString& name) const;
};

// Reads the arguments (the program's name first) against the options the program knows.
ParsedArguments parseArguments(const QStringList& arguments, const QList<KnownOption>& options);

// "PROGRAM: Japanese\nPROGRAM: English\n" followed by the usage, for standard error.
QString usageErrorText(const QString& program, const UsageError& error, const QString& usage);

// The answer to --version: the program and version, its copyright and licence.
QString versionText(const QString& program);

// The last lines of every --help: where to report faults.
QString reportFaultsText();

// Writes --help or --version to standard output; when that fails, tells why on
// standard error (both languages). Returns the exit status: 0, or 1 on failure.
int writeCommandLineAnswer(const QString& program, const QString& text);

} // namespace tovarin
