#pragma once
// What the print image window needs from the main window that holds it.

#include "engine/CalcSheet.h"
#include "platform/qt/Platform.h"

class QMdiArea;
class QWidget;

namespace tovarin {

struct RainwaterResult;

class PrintHost {
public:
    virtual ~PrintHost() = default;
    // The multiple-document area that holds the child windows.
    virtual QMdiArea* mdiArea() = 0;
    // Parent of modal dialogs (the main window).
    virtual QWidget* dialogParent() = 0;
    virtual Platform& platform() = 0;
    // The program's one calculation document.
    virtual CalcSheet& calcSheet() = 0;
    // Shows or hides the main window's toolbar.
    virtual void setToolbarVisible(bool visible) = 0;
    // The main window's editor commands "書き込み(&W)" and "起動(&O)".
    virtual void Kakikomi() = 0;
    virtual void startEditor() = 0;
    // The figures of the rainwater sheet when a rainwater result is on screen; the
    // print image then shows and prints that sheet. Null: the sewage sheet.
    virtual const RainwaterResult* rainwaterResult() const { return nullptr; }
};

} // namespace tovarin
