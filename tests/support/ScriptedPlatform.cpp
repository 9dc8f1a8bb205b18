#include "tests/support/ScriptedPlatform.h"

#include <QPrinter>

namespace tovarin::testing {

MsgAnswer ScriptedPlatform::message(QWidget*, const MessageRequest& request) {
    messages.append(request);
    return answers.isEmpty() ? request.defaultButton : answers.dequeue();
}

QString ScriptedPlatform::openFileName(QWidget*, const FileDialogRequest& request) {
    fileDialogs.append(request);
    return openNames.isEmpty() ? QString() : openNames.dequeue();
}

QString ScriptedPlatform::saveFileName(QWidget*, const FileDialogRequest& request) {
    fileDialogs.append(request);
    return saveNames.isEmpty() ? QString() : saveNames.dequeue();
}

bool ScriptedPlatform::printSetup(QWidget*, QPrinter&) {
    ++printSetups;
    return printAccepted;
}

void ScriptedPlatform::beep() {
    ++beeps;
}

bool ScriptedPlatform::startProgram(const QString& program, const QStringList& arguments) {
    startAttempts.append((QStringList{program} + arguments).join(QLatin1Char(' ')));
    return startablePrograms.contains(program);
}

} // namespace tovarin::testing
