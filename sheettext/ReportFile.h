#pragma once
// The calculation sheet as the text of the report file "Tvrn.txt", and appending it
// to that file. Qt-free.

#include "engine/CalcSheet.h"
#include "sheettext/SheetLine.h"

#include <functional>
#include <string>

namespace tovarin {

// The report file, by its bare name: it lives in the current working directory.
inline constexpr const char* reportFileName = "Tvrn.txt";

struct SheetText {
    bool ok = false;
    std::string bytes;   // code page 932, every line ending in CR LF
    int alertLines = 0;  // NG lines in the text
    std::string message; // Japanese reason when the text cannot be encoded
};

// Groups 1 to 3 of the sheet as the report file holds them.
SheetText sheetText(const CalcSheet& sheet);

// Any sheet as the report file holds it: `build` writes its lines into the sink, and
// `unencodable` names what holds a character (given) that code page 932 lacks.
SheetText sheetTextOf(const std::function<void(SheetSink&)>& build,
                      const std::function<std::string(const std::string&)>& unencodable);

struct ReportWrite {
    bool ok = false;
    int alertLines = 0;  // NG lines written
    std::string message; // Japanese message for the user when it failed
};

// Appends the whole sheet to the file at `path` in one piece (appendWhole,
// platform/AppendFile.h).
ReportWrite appendSheet(const CalcSheet& sheet, const std::string& path = reportFileName);

// Appends a sheet's text, refused with its message when it could not be encoded.
ReportWrite appendSheetText(const SheetText& text, const std::string& path);

} // namespace tovarin
