// --curve: the hydraulic characteristic curves of the document's section, drawn
// (PNG, SVG, PDF) or as a table (CSV).

#include "aids/AidsCurve.h"
#include "aids/OutputFile.h"
#include "shell/MDIFofm.h"
#include "tool/SheetToolAids.h"

namespace tovarin {

int writeCharacteristicCurves(ConsolePlatform& platform, const QString& output,
                              const QString& file) {
    MDIFofm window(platform, OnScreen::Never);
    if (!openForResult(platform, window, file))
        return 1;
    const QByteArray bytes = curveFileBytes(chartOf(window.calcSheet()), output);
    if (bytes.isEmpty()) {
        platform.report(QStringLiteral("水理特性曲線を描けませんでした。"));
        return 1;
    }
    const QString failure = writeOutputFile(output, bytes);
    if (!failure.isEmpty()) {
        platform.report(failure);
        return 1;
    }
    return 0;
}

} // namespace tovarin
