#pragma once
// The program's one seam to the platform: modal message boxes, file dialogs, the
// print set-up dialog, the system beep and starting another program. The windows
// call only this; the tests answer it with a scripted implementation.

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>

class QPrinter;
class QWidget;

namespace tovarin {

enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };
enum class MsgIcon { None, Information, Question, Warning, Critical };

struct MessageRequest {
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::Ok;
    MsgAnswer defaultButton = MsgAnswer::Ok;
    MsgIcon icon = MsgIcon::None;
};

struct FileDialogRequest {
    FileDialogRequest() = default;
    FileDialogRequest(QString title, QString directory, QString filter)
        : title(std::move(title)), directory(std::move(directory)), filter(std::move(filter)) {}

    QString title;
    QString directory;
    QString filter; // Qt filter string, e.g. "Tovarin(.tvr) (*.tvr)"; the one chosen first
    // Further types the dialog offers after `filter`.
    QStringList moreFilters;
    // Added to a name typed without a suffix; empty: the name is used as typed.
    QString defaultSuffix;
};

class Platform {
public:
    virtual ~Platform() = default;
    virtual MsgAnswer message(QWidget* parent, const MessageRequest& request) = 0;
    // Empty string when the dialog was cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // An open dialog that takes several files at once; empty when cancelled. By
    // default the one name of openFileName.
    virtual QStringList openFileNames(QWidget* parent, const FileDialogRequest& request);
    // Print set-up on the given printer; false when cancelled or failed.
    virtual bool printSetup(QWidget* parent, QPrinter& printer) = 0;
    virtual void beep() = 0;
    // Starts a program detached; false when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    // Starts a program that hands the work on and then ends (xdg-open): false when it
    // could not be started; `failed` is called when it ends unsuccessfully (a non-zero
    // exit status or a crash), later, from the event loop. By default it is started as
    // startProgram starts it, and its end is not watched.
    virtual bool startHandingOver(const QString& program, const QStringList& arguments,
                                  std::function<void()> failed);
};

// The real dialogs and the real system.
class QtPlatform : public Platform {
public:
    MsgAnswer message(QWidget* parent, const MessageRequest& request) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    QStringList openFileNames(QWidget* parent, const FileDialogRequest& request) override;
    bool printSetup(QWidget* parent, QPrinter& printer) override;
    void beep() override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    bool startHandingOver(const QString& program, const QStringList& arguments,
                          std::function<void()> failed) override;
};

// A modal question with its fixed text, title, buttons, preselected button and icon.
MsgAnswer ask(Platform& platform, QWidget* parent, const QString& text, const QString& title,
              MsgButtons buttons, MsgAnswer preselected, MsgIcon icon = MsgIcon::None);

// The error message box of the input checks: title "エラーメッセージ", OK only.
MsgAnswer showInputError(Platform& platform, QWidget* parent, const QString& text);

} // namespace tovarin
