#include "tests/support/ModalDialogs.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace tovarin::testing {

namespace {

// The state a user meets when a dialog opens: shown, active, the focus inside it.
bool readyForTheUser(const QDialog* dialog) {
    if (!dialog || !dialog->isVisible())
        return false;
    if (QApplication::activeWindow() != dialog)
        return false;
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == dialog || dialog->isAncestorOf(focus));
}

// Gives the activation back to the window that had it before the dialog, as a window
// manager does when a modal dialog goes, and waits until the application has it.
bool reactivate(QWidget* window) {
    if (!window || !window->isVisible())
        return true;
    if (QApplication::activeWindow() != window)
        window->activateWindow();
    return waitUntilActive(window);
}

} // namespace

bool waitUntilActive(QWidget* window) {
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window->window(); },
                           kPatienceMs);
}

bool answerModalDialog(const std::function<void()>& trigger,
                       const std::function<void(QDialog*)>& answer) {
    const QPointer<QWidget> before = QApplication::activeWindow();
    const QDeadlineTimer deadline(kPatienceMs);
    bool answered = false;
    const char* problem = "no modal dialog opened";

    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!readyForTheUser(dialog)) {
            if (deadline.hasExpired()) {
                poll.stop();
                if (dialog) {
                    problem = "the dialog never became the active window with the focus";
                    dialog->reject(); // so that the trigger returns
                }
            }
            return;
        }
        poll.stop();
        answered = true;
        const QPointer<QDialog> guard(dialog);
        answer(dialog);
        if (guard && guard->isVisible())
            guard->reject();
    });
    poll.start();
    trigger();
    poll.stop();

    if (!answered) {
        qWarning("answerModalDialog: %s", problem);
        return false;
    }
    if (!reactivate(before)) {
        qWarning("answerModalDialog: the window behind the dialog did not become active again");
        return false;
    }
    return true;
}

} // namespace tovarin::testing
