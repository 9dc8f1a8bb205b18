#pragma once
// The flow table of a drainage network ("☆ 流量計算表（雨水排水施設）" or
// "☆ 流量計算表（汚水排水施設）"): the network's inputs, then one row per section in the
// document's order. The table's header and each section's texts come from here for
// every output: the sheet, the tool's --results and --csv, and the workbook. Qt-free.

#include "engine/Network.h"
#include "sheettext/ReportFile.h"
#include "sheettext/SheetLine.h"

#include <string>
#include <vector>

namespace tovarin {

// The table's column titles with their units, one a column, e.g. "延長L(m)".
std::vector<std::string> networkTableHeader(NetworkKind kind);

// The texts of section `index` under those titles, every figure as printed; the times
// are empty with 直接.
std::vector<std::string> networkRowTexts(const NetworkResult& result, std::size_t index);

// The sheet in its three parts: the title and the network's inputs, the table's
// header (repeated on every printed page), the rows (an NG row is an alert line).
struct NetworkSheetLines {
    std::vector<SheetLine> opening;
    std::vector<SheetLine> header;
    std::vector<SheetLine> rows;
};
NetworkSheetLines networkSheetLines(const NetworkResult& result, SheetOutput output);

// The whole sheet into a sink.
void buildNetworkSheet(const NetworkResult& result, SheetSink& sink);

// The sheet as the report file holds it (code page 932, CR LF), or the message
// naming the section whose name holds a character the file cannot hold.
SheetText networkSheetText(const NetworkResult& result);

// Appends the sheet to the report file in one piece, as appendSheet does.
ReportWrite appendNetworkSheet(const NetworkResult& result,
                               const std::string& path = reportFileName);

} // namespace tovarin
