#include "report/RainwaterPrint.h"

#include "report/DrawingSurface.h"
#include "report/FilePrint.h"
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

void printRainwaterCommand(Platform& platform, QWidget* parent, const RainwaterResult& result) {
    QPrinter printer(QPrinter::HighResolution);
    if (!platform.printSetup(parent, printer))
        return;
    if (!pageHoldsALine(printer)) {
        showInputError(platform, parent,
                       QStringLiteral("用紙に印刷できる範囲がないため、印刷できません。\n"
                                      "用紙の大きさと余白を確認してください。"));
        return;
    }
    // A printer that cannot be opened prints nothing, without a message, as the
    // sewage sheet's printing does.
    printRainwaterSheet(platform, printer, result);
}

PdfFileResult printRainwaterSheetToPdf(Platform& platform, const RainwaterResult& result,
                                       const QString& fileName) {
    return printDrawingToPdf(platform, rainwaterDrawing(result), fileName);
}

} // namespace tovarin
