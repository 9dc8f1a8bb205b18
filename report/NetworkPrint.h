#pragma once
// The flow table of a drainage network for the report commands and the tool: drawn on
// A4 landscape in the sheets' Japanese font, at the size that fits its widest line
// across the page, with the table's header at the top of every page; appended to the
// report file as its text.

#include "engine/Network.h"
#include "platform/qt/Platform.h"
#include "report/FilePrint.h"
#include "report/PrintableSheet.h"

#include <QFont>
#include <QString>

namespace tovarin {

// The font the table is printed in on a page `pageWidthPoints` wide: the sheets'
// font at 12 pt, smaller when the widest line would not fit (not below 5 pt).
QFont networkPrinterFont(const NetworkResult& result, double pageWidthPoints);

// The printout as a PDF file on A4 landscape. False when the file could not be written.
PdfFileResult printNetworkSheetToPdf(Platform& platform, const NetworkResult& result,
                                     const QString& fileName);

class NetworkReport : public PrintableSheet {
public:
    explicit NetworkReport(const NetworkResult& result) : result_(result) {}

    void drawPage(DrawingSurface& page) const override;
    // The print set-up dialog starts on landscape paper.
    void print(Platform& platform, QWidget* parent) const override;
    ReportWrite appendTo(const std::string& path) const override;

private:
    const NetworkResult& result_;
};

} // namespace tovarin
