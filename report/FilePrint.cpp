#include "FilePrint.h"

#include "DrawingSurface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace tovarin {

PopulationAnswer askToPrintMaxPopulation(Platform& platform, QWidget* parent,
                                         const CalcSheet& sheet) {
    if (sheet.landUse != LandUse::Residential)
        return PopulationAnswer::NotAsked;
    switch (ask(platform, parent, QStringLiteral("最大計画人口を印刷しますか？"),
                QStringLiteral("確認"), MsgButtons::YesNoCancel, MsgAnswer::No)) {
    case MsgAnswer::Yes: return PopulationAnswer::Yes;
    case MsgAnswer::No: return PopulationAnswer::No;
    case MsgAnswer::Ok:
    case MsgAnswer::Cancel: break;
    }
    return PopulationAnswer::Cancel;
}

QFont printerFont() {
    QFont font;
    font.setPointSizeF(12);
    font.setFamily(QStringLiteral("ＭＳ 明朝"));
    return font;
}

bool pageHoldsALine(QPrinter& printer) {
    // The printer's width and height are those of its printable area, in device units.
    const QFontMetricsF metrics(printerFont(), &printer);
    return printer.width() >= metrics.horizontalAdvance(QLatin1Char('0')) &&
           printer.height() >= metrics.lineSpacing();
}

bool printSheet(Platform& platform, QPrinter& printer, const CalcSheet& sheet,
                bool withMaxPopulation) {
    // Without room for one line every line would take a page of its own.
    if (!pageHoldsALine(printer))
        return false;
    PrinterSurface surface(platform, printer, printerFont());
    if (!surface.begin())
        return false;
    setDrawingSurface(&surface);
    Hyouji_1(sheet);
    Hyouji_2(sheet);
    if (withMaxPopulation)
        Hyouji_3(sheet); // draws for residential land use only
    surface.endDocument();
    return true;
}

void FilePrint(Platform& platform, QWidget* parent, const CalcSheet& sheet) {
    const PopulationAnswer answer = askToPrintMaxPopulation(platform, parent, sheet);
    if (answer == PopulationAnswer::Cancel)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!platform.printSetup(parent, printer))
        return;
    if (!pageHoldsALine(printer)) {
        showInputError(platform, parent,
                       QStringLiteral("用紙に印刷できる範囲がないため、印刷できません。\n"
                                      "用紙の大きさと余白を確認してください。"));
        return;
    }
    // A printer that cannot be opened prints nothing, without a message.
    printSheet(platform, printer, sheet, answer != PopulationAnswer::No);
}

bool printSheetToPdf(Platform& platform, const CalcSheet& sheet, const QString& fileName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    return printSheet(platform, printer, sheet, true);
}

} // namespace tovarin
