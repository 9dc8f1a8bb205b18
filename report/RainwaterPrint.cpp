#include "report/RainwaterPrint.h"

#include "report/DrawingSurface.h"
#include "sheettext/RainwaterSheetBuilder.h"

#include <QPrinter>

namespace tovarin {

namespace {

SheetDrawing rainwaterDrawing(const RainwaterResult& result) {
    return [&result](DrawingSurface& surface) { buildRainwaterSheet(result, surface); };
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
    buildRainwaterSheet(result_, page);
}

void RainwaterReport::print(Platform& platform, QWidget* parent) const {
    printCommand(platform, parent, rainwaterDrawing(result_));
}

ReportWrite RainwaterReport::appendTo(const std::string& path) const {
    return appendRainwaterSheet(result_, path);
}

} // namespace tovarin
