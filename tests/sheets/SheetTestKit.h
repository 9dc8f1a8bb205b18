#pragma once
// A main window stand-in for the input windows: an area for the child windows, a
// scripted platform, the calculation document, and a record of the status bar and
// of the result notifications.

#include "CalcSheet.h"
#include "InputWindows.h"
#include "ScriptedPlatform.h"
#include "SheetHost.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QMdiArea;
class QDialog;

namespace tovarin {
class Form1;
class Form3;
} // namespace tovarin

namespace tovarin::testing {

class TestHost : public SheetHost {
public:
    TestHost();
    ~TestHost() override;

    QMdiArea* mdiArea() override { return area; }
    QWidget* dialogParent() override { return &window; }
    Platform& platform() override { return scripted; }
    CalcSheet& calcSheet() override { return sheet; }
    void setStatusMessage(const QString& text) override { statusMessages.append(text); }
    void resultChanged() override { ++resultChanges; }

    QString status() const { return statusMessages.isEmpty() ? QString() : statusMessages.last(); }
    // Shows the window and waits until it is active, so that focus changes arrive.
    bool showAndActivate();

    QWidget window;
    QMdiArea* area = nullptr;
    ScriptedPlatform scripted;
    CalcSheet sheet;
    QStringList statusMessages;
    int resultChanges = 0;
};

// Waits until the application takes the window as its active window.
bool waitUntilActive(QWidget* window);

// The Japanese font names of the windows mapped to the fonts of this machine.
void registerFontSubstitutions();

// Runs the action on the next modal dialog once it is shown. Whatever the action
// does (including failing an assertion and returning early), a dialog still open
// afterwards is rejected, so the test never hangs.
void onNextModalDialog(std::function<void(QDialog*)> action);

// Presses "計算する" on the main sheet and runs the action in the planned-sewage
// dialog it opens; returns once the dialog is hidden or closed.
void throughPlannedSewageDialog(Form1* sheet, std::function<void(Form3*)> action);

// A new document on a fresh host with the window active.
struct NewDocument {
    NewDocument();
    TestHost host;
    std::unique_ptr<InputWindows> windows;
};

} // namespace tovarin::testing
