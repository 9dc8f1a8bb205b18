#pragma once
// A platform whose dialogs are answered from a script and whose beeps and program
// starts are counted, so tests can drive every window without blocking.

#include "platform/qt/Platform.h"

#include <QList>
#include <QQueue>

namespace tovarin::testing {

class ScriptedPlatform : public Platform {
public:
    // Answers, in order, for the next message boxes; when the queue is empty the
    // box's default button is the answer.
    QQueue<MsgAnswer> answers;
    QQueue<QString> openNames; // answers for open dialogs ("" = cancelled)
    QQueue<QString> saveNames; // answers for save dialogs
    // Answers for open dialogs that take several files; when empty, openNames answers.
    QQueue<QStringList> openNameLists;
    bool printAccepted = true; // answer of the print set-up dialog
    // Programs that start; any other program fails to start.
    QStringList startablePrograms;

    // What happened.
    QList<MessageRequest> messages;
    QList<FileDialogRequest> fileDialogs;
    int printSetups = 0;
    int beeps = 0;
    QStringList startAttempts; // "program arg1 arg2"
    // What startHandingOver was told to call when its program ends unsuccessfully,
    // for the test to call.
    QList<std::function<void()>> handOverFailures;

    MsgAnswer message(QWidget* parent, const MessageRequest& request) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    QStringList openFileNames(QWidget* parent, const FileDialogRequest& request) override;
    bool printSetup(QWidget* parent, QPrinter& printer) override;
    void beep() override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool startHandingOver(const QString& program, const QStringList& arguments,
                          std::function<void()> failed) override;

    QString lastMessageText() const {
        return messages.isEmpty() ? QString() : messages.last().text;
    }
};

} // namespace tovarin::testing
