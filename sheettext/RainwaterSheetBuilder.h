#pragma once
// Builds the rainwater calculation sheet ("☆ 流量計算書（雨水排水施設）") from the
// figures of the rainwater calculation, into a sink, in the style of the sewage sheet:
// 1. 計画雨水量, 2. 排水施設, 3. 判定. The same lines feed the report file, the print
// image, the printer and the PDF. Qt-free.

#include "engine/Rainwater.h"
#include "sheettext/ReportFile.h"
#include "sheettext/SheetLine.h"

#include <string>

namespace tovarin {

// The whole rainwater sheet. A drawn sink gets the top margin of a drawn page first,
// as the sewage sheet does; an NG verdict line is an alert line.
void buildRainwaterSheet(const RainwaterResult& result, SheetSink& sink);

// The facility as the sheet's facility line names it: the sewage sheet's name of a
// sewage kind; for the trapezoid the name, B×H in millimetres and " 法勾配1:m".
SheetLine rainwaterFacilityLabel(const RainwaterResult& result);

// The sheet as the report file holds it (code page 932, CR LF), or the message
// naming a character the file cannot hold.
SheetText rainwaterSheetText(const RainwaterResult& result);

// Appends the rainwater sheet to the report file in one piece, as appendSheet does.
ReportWrite appendRainwaterSheet(const RainwaterResult& result,
                                 const std::string& path = reportFileName);

} // namespace tovarin
