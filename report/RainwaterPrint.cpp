#include "report/RainwaterPrint.h"

#include "report/DrawingSurface.h"
#include "sheettext/RainwaterSheetBuilder.h"
#include "sheettext/SheetPages.h"

#include <QPrinter>

namespace tovarin {

namespace {

// The sheet on as many pages as it needs: each further page repeats the heading, and
// the pages are numbered (sheettext/SheetPages.h). The print image, the printer and
// the PDF file draw the same pages.
void drawRainwaterPages(const RainwaterResult& result, DrawingSurface& surface) {
    SheetLineList lines(SheetOutput::Drawn);
    buildRainwaterSheet(result, lines);
    const std::vector<SheetPage> pages = sheetPages(lines.lines, surface.linesPerPage());
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0 && !surface.breakPage())
            return;
        for (const SheetLine& line : pages[page])
            surface.writeLine(line);
    }
}

SheetDrawing rainwaterDrawing(const RainwaterResult& result) {
    return [&result](DrawingSurface& surface) { drawRainwaterPages(result, surface); };
}

} // namespace

bool printRainwaterSheet(Platform& platform, QPrinter& printer, const RainwaterResult& result) {
    return printDrawing(platform, printer, rainwaterDrawing(result));
}

PdfFileResult printRainwaterSheetToPdf(Platform& platform, const RainwaterResult& result,
                                       const QString& fileName) {
    return printDrawingToPdf(platform, rainwaterDrawing(result), fileName);
}

void RainwaterReport::drawPage(DrawingSurface& page) const {
    drawRainwaterPages(result_, page);
}

void RainwaterReport::print(Platform& platform, QWidget* parent) const {
    printCommand(platform, parent, rainwaterDrawing(result_));
}

ReportWrite RainwaterReport::appendTo(const std::string& path) const {
    return appendRainwaterSheet(result_, path);
}

} // namespace tovarin
