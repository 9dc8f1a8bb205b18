#pragma once
// Comma-separated text for spreadsheet programs: fields quoted where RFC 4180 asks,
// CR LF line ends, and a UTF-8 byte-order mark at the start of the file so that a
// Japanese spreadsheet program does not read the text as code page 932.

#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

inline constexpr std::string_view csvByteOrderMark = "\xEF\xBB\xBF";

// A field as written: quoted, with its quotes doubled, when it holds a comma, a
// quote, a CR or an LF; otherwise as it is.
std::string csvField(std::string_view text);

// One record: the fields joined by commas, ended by CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

} // namespace tovarin
