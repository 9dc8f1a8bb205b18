#pragma once
// FilePrint ("印刷(&P)"): the calculation sheet on the printer, drawn as on the
// print image page, with the maximum population section when the user wants it.

#include "engine/CalcSheet.h"
#include "platform/ReplaceFile.h"
#include "platform/qt/Platform.h"

#include <QFont>
#include <QString>

#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace tovarin {

class DrawingSurface;
class PrinterSurface;

// Draws a whole sheet onto the surface a printout has set up (and made the drawing
// surface).
using SheetDrawing = std::function<void(DrawingSurface&)>;

// The answer to "最大計画人口を印刷しますか？"; NotAsked for the other land uses.
enum class PopulationAnswer { NotAsked, Yes, No, Cancel };

// Asks for residential land use only (Yes / No / Cancel, No preselected, no icon).
PopulationAnswer askToPrintMaxPopulation(Platform& platform, QWidget* parent,
                                         const CalcSheet& sheet);

// "ＭＳ 明朝" 12 pt.
QFont printerFont();

// Whether the printable area of the printer's page holds one line of the sheet.
bool pageHoldsALine(QPrinter& printer);

// Groups 1 and 2 of the sewage sheet, and group 3 when wanted (it draws for
// residential land use only).
SheetDrawing sewageDrawing(const CalcSheet& sheet, bool withMaxPopulation);

// Draws groups 1 and 2 on a printer that is set up, and group 3 when wanted, then
// ends the document. False when the printer could not be opened or its page has no
// room for a line (nothing printed).
bool printSheet(Platform& platform, QPrinter& printer, const CalcSheet& sheet,
                bool withMaxPopulation);

// The printing of any sheet: the print set-up dialog, then the printout. A cancelled
// dialog ends it silently, as does a printer that cannot be opened; a page without
// room for a line is reported and nothing is printed.
void printCommand(Platform& platform, QWidget* parent, const SheetDrawing& draw);

// The command: the question, the print set-up dialog, the printout. A cancelled
// question or dialog ends it silently, as does a printer that cannot be opened; a
// page without room for a line is reported and nothing is printed.
void FilePrint(Platform& platform, QWidget* parent, const CalcSheet& sheet);

// What became of a printout into a PDF file: whether the sheet could be drawn, and
// then the write of the file, with the system's own reason when it failed.
struct PdfFileResult {
    bool drawn = false;
    WholeFileResult written;

    explicit operator bool() const { return drawn && written.written(); }
};

// The printout as a PDF file on A4, with the maximum population section (as if the
// question had been answered Yes). False when it could not be drawn or written.
PdfFileResult printSheetToPdf(Platform& platform, const CalcSheet& sheet, const QString& fileName);

// The same for any drawing: on a printer that is set up (false when it cannot be
// opened or its page has no room for a line), and into a PDF file on A4.
bool printDrawing(Platform& platform, QPrinter& printer, const SheetDrawing& draw);
PdfFileResult printDrawingToPdf(Platform& platform, const SheetDrawing& draw,
                                const QString& fileName);

// Makes the surface a printout draws on, on the device it has set up: a sheet that
// draws more than lines in a run (a table's header on every page) brings its own.
using PrinterSurfaceMaker = std::function<std::unique_ptr<PrinterSurface>(QPagedPaintDevice&)>;

// The same for a wide sheet: A4 landscape, on the surface `makeSurface` gives.
PdfFileResult printDrawingToLandscapePdf(const PrinterSurfaceMaker& makeSurface,
                                         const SheetDrawing& draw, const QString& fileName);

} // namespace tovarin
