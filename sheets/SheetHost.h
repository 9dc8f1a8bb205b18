#pragma once
// What the input windows need from the main window that holds them.

#include "engine/CalcSheet.h"
#include "platform/qt/Platform.h"

class QMdiArea;
class QString;
class QWidget;

namespace tovarin {

// Whether a main window is ever put on a screen. The sheet tool's never is: it only
// reads documents and writes what they compute.
enum class OnScreen { Yes, Never };

class SheetHost {
public:
    virtual ~SheetHost() = default;
    // The multiple-document area that holds the child windows.
    virtual QMdiArea* mdiArea() = 0;
    // Parent and centre for modal dialogs (the main window).
    virtual QWidget* dialogParent() = 0;
    virtual Platform& platform() = 0;
    // The program's one calculation document.
    virtual CalcSheet& calcSheet() = 0;
    // Replaces the text of the status bar's "msg" panel.
    virtual void setStatusMessage(const QString& text) = 0;
    // A result appeared or disappeared (capacity changed): the main window applies its
    // availability rule to toolbar buttons 3, 5 and 6.
    virtual void resultChanged() = 0;
    // Never: the child windows are kept as plain children of the area, without the
    // sub-window frame, the designed colours and showing, which serve only the eye;
    // what they hold and compute is the same.
    virtual OnScreen onScreen() const { return OnScreen::Yes; }
    // The results panel's "設計補助…": the design aids of the inputs on screen.
    virtual void openDesignAids() {}
};

} // namespace tovarin
