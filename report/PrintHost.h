#pragma once
// What the print image window needs from the main window that holds it.

#include "platform/qt/Platform.h"
#include "report/PrintableSheet.h"

class QMdiArea;
class QWidget;

namespace tovarin {

class PrintHost {
public:
    virtual ~PrintHost() = default;
    // The multiple-document area that holds the child windows.
    virtual QMdiArea* mdiArea() = 0;
    // Parent of modal dialogs (the main window).
    virtual QWidget* dialogParent() = 0;
    virtual Platform& platform() = 0;
    // The sheet the print image draws at every activation, and its print and
    // 書き込み: the result's on screen, whatever the document's kind; without a
    // result, the sewage sheet of the calculation document as it stands.
    virtual const PrintableSheet* reportSheet() const = 0;
    // Shows or hides the main window's toolbar.
    virtual void setToolbarVisible(bool visible) = 0;
    // The main window's editor commands "書き込み(&W)" and "起動(&O)".
    virtual void Kakikomi() = 0;
    virtual void startEditor() = 0;
};

} // namespace tovarin
