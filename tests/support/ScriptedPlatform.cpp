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

QStringList ScriptedPlatform::openFileNames(QWidget* parent, const FileDialogRequest& request) {
    if (openNameLists.isEmpty())
        return Platform::openFileNames(parent, request);
    fileDialogs.append(request);
    return openNameLists.dequeue();
}

bool ScriptedPlatform::startHandingOver(const QString& program, const QStringList& arguments,
                                        std::function<void()> failed) {
    if (!startProgram(program, arguments))
        return false;
    handOverFailures.append(std::move(failed));
    return true;
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
