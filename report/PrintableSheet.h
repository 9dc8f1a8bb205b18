#pragma once
// A calculation sheet as the report commands see it, whatever kind of document it
// belongs to: the print image draws it, "印刷(&P)" prints it and "書き込み(&W)"
// appends its text to the report file. Each kind of sheet implements it once.

#include "platform/qt/Platform.h"
#include "sheettext/ReportFile.h"

#include <string>

class QWidget;

namespace tovarin {

class DrawingSurface;

class PrintableSheet {
public:
    virtual ~PrintableSheet() = default;
    // Draws the whole sheet on a page that is the drawing surface (the print image).
    virtual void drawPage(DrawingSurface& page) const = 0;
    // "印刷(&P)": the sheet's own questions, the print set-up dialog, the printout.
    virtual void print(Platform& platform, QWidget* parent) const = 0;
    // Appends the sheet's text to the report file at `path` in one piece.
    virtual ReportWrite appendTo(const std::string& path) const = 0;
};

} // namespace tovarin
