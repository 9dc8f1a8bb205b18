#pragma once
// What every text document (the rainwater .tvu, and each kind written the same way)
// shares in reading its bytes: the line ends it accepts, and the hint it gives when
// the file was saved in another encoding than UTF-8. Qt-free.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// The lines of a text without their line ends: CR LF or LF, or in a text without any
// LF a CR alone (as an old Macintosh editor saves); a CR elsewhere stays in its line
// (where a name's rule refuses it). After the last line end comes one more line,
// empty when the text ends in a line end: line N of a message is element N-1.
std::vector<std::string_view> textLines(std::string_view text);

// How a file's first line holds a document's heading.
enum class HeadingEncoding {
    None,  // it does not
    Utf8,  // as it must: UTF-8, with or without a byte order mark
    Cp932, // in code page 932 (Shift_JIS), as Windows' editors save by default
    Utf16, // in UTF-16, either byte order, with or without a byte order mark
};
HeadingEncoding headingEncoding(std::string_view bytes, std::string_view heading);

// Whether the bytes are UTF-8 throughout (no stray, overlong or surrogate sequence).
bool isUtf8(std::string_view bytes);

// The hint that the file must be saved as UTF-8, naming the encoding it seems to be
// in: for a heading in code page 932 or UTF-16, and for a line that is not UTF-8.
std::string utf8Hint(HeadingEncoding found);

// The fields of a key=value line's value, between its commas.
std::vector<std::string_view> splitCommas(std::string_view text);

} // namespace tovarin
