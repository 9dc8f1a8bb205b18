#pragma once
// Answering a modal dialog from a test without depending on timing.
//
// A modal dialog blocks in exec(), so a test answers it from inside that event loop.
// The answer waits for the state a user meets when the dialog opens: the dialog is
// shown, it is the application's active window and the keyboard focus is inside it.
// Before that, a key press would go elsewhere and a focus check would see the window
// behind it.

#include <QDialog>

#include <functional>

namespace tovarin::testing {

// How long a test waits for a state that normally comes at once; only a broken
// program waits this long, a loaded machine never does.
constexpr int kPatienceMs = 60000;

// Runs `trigger`, which opens a modal dialog, and runs `answer` on that dialog once
// it is ready (shown, active, holding the focus). Whatever `answer` does, even an
// assertion that fails and returns early, a dialog still open afterwards is
// rejected, so `trigger` always returns. Afterwards the window that was active
// before is made active again and waited for, as a window manager does.
// Returns true when the dialog appeared, was answered and the window behind it is
// active again; false (with the reason on the test log) otherwise.
bool answerModalDialog(const std::function<void()>& trigger,
                       const std::function<void(QDialog*)>& answer);

// Waits until the widget's window is the application's active window.
bool waitUntilActive(QWidget* window);

} // namespace tovarin::testing
