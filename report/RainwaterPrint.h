#pragma once
// The rainwater sheet drawn on the printer or into a PDF file, as the sewage sheet
// is (FilePrint.h): one continuous run of lines from the top of the first page. The
// print image draws it with buildRainwaterSheet(result, pageSurface).

#include "engine/Rainwater.h"
#include "platform/qt/Platform.h"
#include "report/FilePrint.h"

#include <QString>

class QPrinter;
class QWidget;

namespace tovarin {

// Draws the whole sheet on a printer that is set up, then ends the document. False
// when the printer could not be opened or its page has no room for a line.
bool printRainwaterSheet(Platform& platform, QPrinter& printer, const RainwaterResult& result);

// The command "印刷(&P)" for a rainwater sheet: the print set-up dialog, then the
// printout (there is no maximum population to ask about).
void printRainwaterCommand(Platform& platform, QWidget* parent, const RainwaterResult& result);

// The printout as a PDF file on A4. False when the file could not be written.
PdfFileResult printRainwaterSheetToPdf(Platform& platform, const RainwaterResult& result,
                                       const QString& fileName);

} // namespace tovarin
