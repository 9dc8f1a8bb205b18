#pragma once
// The rainwater sheet for the report commands: drawn on the print image page, on the
// printer or into a PDF file as the sewage sheet is (FilePrint.h), one continuous run
// of lines from the top of the first page, and appended to the report file.

#include "engine/Rainwater.h"
#include "platform/qt/Platform.h"
#include "report/FilePrint.h"
#include "report/PrintableSheet.h"

#include <QString>

class QPrinter;

namespace tovarin {

// Draws the whole sheet on a printer that is set up, then ends the document. False
// when the printer could not be opened or its page has no room for a line.
bool printRainwaterSheet(Platform& platform, QPrinter& printer, const RainwaterResult& result);

// The printout as a PDF file on A4. False when the file could not be written.
PdfFileResult printRainwaterSheetToPdf(Platform& platform, const RainwaterResult& result,
                                       const QString& fileName);

// The sheet of a rainwater result ("印刷(&P)" asks nothing: there is no maximum
// population to ask about).
class RainwaterReport : public PrintableSheet {
public:
    explicit RainwaterReport(const RainwaterResult& result) : result_(result) {}

    void drawPage(DrawingSurface& page) const override;
    void print(Platform& platform, QWidget* parent) const override;
    ReportWrite appendTo(const std::string& path) const override;

private:
    const RainwaterResult& result_;
};

} // namespace tovarin
