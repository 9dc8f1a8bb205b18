#include "report/FilePrint.h"

#include "platform/qt/JapaneseFonts.h"
#include "platform/qt/WholeFile.h"
#include "report/DrawingSurface.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>

#include <cerrno>

namespace tovarin {

PopulationAnswer askToPrintMaxPopulation(Platform& platform, QWidget* parent,
                                         const CalcSheet& sheet) {
    if (sheet.landUse != LandUse::Residential)
        return PopulationAnswer::NotAsked;
    switch (ask(platform, parent, QStringLiteral("最大計画人口を印刷しますか？"),
                QStringLiteral("確認"), MsgButtons::YesNoCancel, MsgAnswer::No)) {
    case MsgAnswer::Yes:
        return PopulationAnswer::Yes;
    case MsgAnswer::No:
        return PopulationAnswer::No;
    case MsgAnswer::Ok:
    case MsgAnswer::Cancel:
        break;
    }
    return PopulationAnswer::Cancel;
}

QFont printerFont() {
    QFont font;
    font.setPointSizeF(12);
    font.setFamily(minchoFamily());
    return font;
}

bool pageHoldsALine(QPrinter& printer) {
    // The printer's width and height are those of its printable area, in device units.
    const QFontMetricsF metrics(printerFont(), &printer);
    return printer.width() >= metrics.horizontalAdvance(QLatin1Char('0')) &&
           printer.height() >= metrics.lineSpacing();
}

SheetDrawing sewageDrawing(const CalcSheet& sheet, bool withMaxPopulation) {
    return [&sheet, withMaxPopulation](DrawingSurface&) {
        Hyouji_1(sheet);
        Hyouji_2(sheet);
        if (withMaxPopulation)
            Hyouji_3(sheet); // draws for residential land use only
    };
}

bool printSheet(Platform& platform, QPrinter& printer, const CalcSheet& sheet,
                bool withMaxPopulation) {
    return printDrawing(platform, printer, sewageDrawing(sheet, withMaxPopulation));
}

bool printDrawing(Platform& platform, QPrinter& printer, const SheetDrawing& draw) {
    // Without room for one line every line would take a page of its own.
    if (!pageHoldsALine(printer))
        return false;
    PrinterSurface surface(platform, printer, printerFont());
    if (!surface.begin())
        return false;
    setDrawingSurface(&surface);
    draw(surface);
    surface.endDocument();
    return true;
}

void printCommand(Platform& platform, QWidget* parent, const SheetDrawing& draw) {
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
    printDrawing(platform, printer, draw);
}

void FilePrint(Platform& platform, QWidget* parent, const CalcSheet& sheet) {
    const PopulationAnswer answer = askToPrintMaxPopulation(platform, parent, sheet);
    if (answer == PopulationAnswer::Cancel)
        return;
    printCommand(platform, parent, sewageDrawing(sheet, answer != PopulationAnswer::No));
}

namespace {

// The page a PDF printer of QPrinter::HighResolution gives: A4 portrait, 10 pt
// margins, 1200 dots per inch; the sheet starts at the top left of the printable area.
constexpr int pdfResolution = 1200;

QPageLayout pdfPageLayout(QPageLayout::Orientation orientation = QPageLayout::Portrait) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Point);
}

// The sheet drawn as printSheet draws it on the printer, into PDF bytes in memory.
// Empty when the painting could not start or finish.
QByteArray drawSheetAsPdf(const QPageLayout& layout, const PrinterSurfaceMaker& makeSurface,
                          const SheetDrawing& draw) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(pdfResolution);
        writer.setPageLayout(layout);
        const std::unique_ptr<PrinterSurface> surface = makeSurface(writer);
        if (!surface->begin())
            return {};
        setDrawingSurface(surface.get());
        draw(*surface);
        if (!surface->endDocument())
            return {};
    }
    return buffer.data();
}

// A PDF ends with its end-of-file marker, possibly followed by a line end.
bool looksComplete(const QByteArray& pdf) {
    return pdf.startsWith("%PDF-") && pdf.trimmed().endsWith("%%EOF");
}

} // namespace

// Drawn through QPdfWriter: the print system and its plugins are never loaded, and
// no printer can be reached, whatever the name. The file is written as every whole
// file is, each write, sync and close checked: reading it back would only find what
// another program did to the name since (two printouts to one name, say), or fail on
// a file its owner may write but not read.
PdfFileResult printSheetToPdf(Platform& platform, const CalcSheet& sheet, const QString& fileName) {
    return printDrawingToPdf(platform, sewageDrawing(sheet, true), fileName);
}

namespace {

PdfFileResult writePdf(const QPageLayout& layout, const PrinterSurfaceMaker& makeSurface,
                       const SheetDrawing& draw, const QString& fileName) {
    PdfFileResult result;
    if (fileName.isEmpty()) {
        result.written = {WholeFileWrite::Failed, ENOENT};
        return result;
    }
    const QByteArray pdf = drawSheetAsPdf(layout, makeSurface, draw);
    if (!looksComplete(pdf))
        return result;
    result.drawn = true;
    result.written = writeWholeFile(fileName, pdf);
    return result;
}

} // namespace

PdfFileResult printDrawingToPdf(Platform& platform, const SheetDrawing& draw,
                                const QString& fileName) {
    const PrinterSurfaceMaker plain = [&platform](QPagedPaintDevice& device) {
        return std::make_unique<PrinterSurface>(platform, device, printerFont());
    };
    return writePdf(pdfPageLayout(), plain, draw, fileName);
}

PdfFileResult printDrawingToLandscapePdf(const PrinterSurfaceMaker& makeSurface,
                                         const SheetDrawing& draw, const QString& fileName) {
    return writePdf(pdfPageLayout(QPageLayout::Landscape), makeSurface, draw, fileName);
}

} // namespace tovarin
