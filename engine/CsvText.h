#pragma once
// Comma-separated text for spreadsheet programs: fields quoted where RFC 4180 asks,
// CR LF line ends, and a UTF-8 byte-order mark at the start of the file so that a
// Japanese spreadsheet program does not read the text as code page 932.

#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

inline constexpr std::string_view csvByteOrderMark = "\xEF\xBB\xBF";

// A cell as a spreadsheet program should see it: a text that starts with "=", "+",
// "-", "@", a tab or a CR would be read as a formula, so it gets a leading "'";
// a plain decimal number ("-0.25") stays as it is, a number.
std::string spreadsheetText(std::string_view text);

// A field as written: the spreadsheet text of the cell, quoted, with its quotes doubled, when it
// holds a comma, a quote, a CR or an LF; otherwise as it is.
std::string csvField(std::string_view text);

// One record: the fields joined by commas, ended by CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

// One line of tab-separated text for the clipboard: the spreadsheet texts of the
// cells joined by tabs, each quoted as in CSV when it holds a tab, a quote, a CR or
// an LF; ended by LF.
std::string tabSeparatedLine(const std::vector<std::string>& cells);

} // namespace tovarin
