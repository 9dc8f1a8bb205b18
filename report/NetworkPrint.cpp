#include "report/NetworkPrint.h"

#include "platform/qt/JapaneseFonts.h"
#include "report/DrawingSurface.h"
#include "sheettext/NetworkSheet.h"

#include <QPageLayout>
#include <QPrinter>

#include <algorithm>

namespace tovarin {

namespace {

// The printable width of A4 landscape with the PDF's 10 pt margins, in points.
constexpr double landscapeWidthPoints = 841.89 - 2 * 10;
constexpr double largestPoints = 12;
constexpr double smallestPoints = 5;

// A printer page that writes the table's header again at the top of every page after
// the one the table starts on.
class NetworkSurface : public PrinterSurface {
public:
    NetworkSurface(Platform& platform, QPagedPaintDevice& device, const QFont& font,
                   std::vector<SheetLine> header)
        : PrinterSurface(platform, device, font), header_(std::move(header)) {}

    void startRepeating() { repeating_ = true; }

protected:
    void pageStarted() override {
        if (!repeating_)
            return;
        for (const SheetLine& line : header_)
            writeLine(line);
    }

private:
    std::vector<SheetLine> header_;
    bool repeating_ = false;
};

SheetDrawing networkDrawing(const NetworkResult& result) {
    return [&result](DrawingSurface& surface) {
        const NetworkSheetLines lines = networkSheetLines(result, SheetOutput::Drawn);
        for (const SheetLine& line : lines.opening)
            surface.writeLine(line);
        for (const SheetLine& line : lines.header)
            surface.writeLine(line);
        if (auto* printer = dynamic_cast<NetworkSurface*>(&surface))
            printer->startRepeating();
        for (const SheetLine& line : lines.rows)
            surface.writeLine(line);
    };
}

PrinterSurfaceMaker networkSurface(Platform& platform, const NetworkResult& result,
                                   double pageWidthPoints) {
    return [&platform, &result, pageWidthPoints](QPagedPaintDevice& device) {
        NetworkSheetLines lines = networkSheetLines(result, SheetOutput::Drawn);
        return std::make_unique<NetworkSurface>(
            platform, device, networkPrinterFont(result, pageWidthPoints), std::move(lines.header));
    };
}

} // namespace

QFont networkPrinterFont(const NetworkResult& result, double pageWidthPoints) {
    const NetworkSheetLines lines = networkSheetLines(result, SheetOutput::Drawn);
    int columns = 1;
    for (const auto* part : {&lines.opening, &lines.header, &lines.rows})
        for (const SheetLine& line : *part)
            columns = std::max(columns, displayColumns(lineText(line)));
    // A half-width column of the sheets' font is half its size wide.
    const double fitting = 2 * pageWidthPoints / columns;
    QFont font;
    font.setFamily(minchoFamily());
    font.setPointSizeF(std::clamp(fitting, smallestPoints, largestPoints));
    return font;
}

PdfFileResult printNetworkSheetToPdf(Platform& platform, const NetworkResult& result,
                                     const QString& fileName) {
    return printDrawingToLandscapePdf(networkSurface(platform, result, landscapeWidthPoints),
                                      networkDrawing(result), fileName);
}

void NetworkReport::drawPage(DrawingSurface& page) const {
    networkDrawing(result_)(page);
}

void NetworkReport::print(Platform& platform, QWidget* parent) const {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!platform.printSetup(parent, printer))
        return;
    if (!pageHoldsALine(printer)) {
        showInputError(platform, parent,
                       QStringLiteral("用紙に印刷できる範囲がないため、印刷できません。\n"
                                      "用紙の大きさと余白を確認してください。"));
        return;
    }
    const double widthPoints = printer.pageLayout().paintRect(QPageLayout::Point).width();
    NetworkSurface surface(platform, printer, networkPrinterFont(result_, widthPoints),
                           networkSheetLines(result_, SheetOutput::Drawn).header);
    if (!surface.begin())
        return; // a printer that cannot be opened prints nothing, as the other sheets
    setDrawingSurface(&surface);
    networkDrawing(result_)(surface);
    surface.endDocument();
}

ReportWrite NetworkReport::appendTo(const std::string& path) const {
    return appendNetworkSheet(result_, path);
}

} // namespace tovarin
