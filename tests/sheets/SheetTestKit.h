#pragma once
// A main window stand-in for the input windows: an area for the child windows, a
// scripted platform, the calculation document, and a record of the status bar and
// of the result notifications.

#include "engine/CalcSheet.h"
#include "sheets/SewageWindows.h"
#include "sheets/SheetHost.h"
#include "tests/support/ModalDialogs.h"
#include "tests/support/ScriptedPlatform.h"

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

// The Japanese font names of the windows mapped to the fonts of this machine.
void registerFontSubstitutions();

// Presses "計算する" on the main sheet and runs the action in the planned-sewage
// dialog it opens, once that dialog is active and holds the focus; returns once the
// dialog is hidden or closed and the window behind it is active again.
void throughPlannedSewageDialog(Form1* sheet, std::function<void(Form3*)> action);

// A new document on a fresh host with the window active.
struct NewDocument {
    NewDocument();
    TestHost host;
    std::unique_ptr<SewageWindows> windows;
};

} // namespace tovarin::testing
