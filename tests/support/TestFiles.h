#pragma once
// Files and built programs for the tests: whole-file bytes, and running a program
// as a process, for the tests of its command line.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tovarin::testing {

struct ToolRun {
    int exitCode = -1; // -1 when the program crashed or did not end
    QByteArray out;
    QByteArray err;
};

// Runs the program to its end, in `workingFolder` when one is given.
inline ToolRun runProgram(const QString& program, const QStringList& arguments,
                          const QString& workingFolder = QString()) {
    QProcess tool;
    if (!workingFolder.isEmpty())
        tool.setWorkingDirectory(workingFolder);
    tool.start(program, arguments);
    ToolRun run;
    // A program that never ends is a fault; the limit only stops a hung test.
    if (!tool.waitForFinished(120000)) {
        tool.kill();
        tool.waitForFinished();
        return run;
    }
    run.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    run.out = tool.readAllStandardOutput();
    run.err = tool.readAllStandardError();
    return run;
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace tovarin::testing
