#pragma once
// The rainwater document ".tvu": UTF-8 text that people and scripts can write. The
// first line is "Tovarin 雨水 1", then one key=value a line in a fixed order (blank
// lines are ignored). Reading refuses an unknown, missing or misplaced key and a bad
// value with a message that names the line ("3行目：…"). It stands beside the sewage
// document's record (DocumentRecord.h). Qt-free.

#include "engine/Rainwater.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

// The first line of every rainwater document.
inline constexpr std::string_view rainwaterDocumentHeading = "Tovarin 雨水 1";

struct RainwaterDocumentRead {
    std::optional<RainwaterInput> input; // set when the text is a whole document
    std::string message;                 // why not, in Japanese, naming the line
};

// Parses a whole document (UTF-8; CR LF or LF line ends; an optional byte order mark).
RainwaterDocumentRead parseRainwaterDocument(std::string_view text);

struct RainwaterDocumentText {
    std::string text;    // UTF-8, LF line ends; empty when refused
    std::string message; // why the input cannot be saved (what reading would refuse)
    RainwaterField focus = RainwaterField::AreaTable;
    int row = -1;                         // the area row, for AreaTable
    AreaColumn column = AreaColumn::Area; // the cell of that row
    bool ok() const { return message.empty(); }
};

// The document text of the input. Refuses what reading would refuse: no area, a name
// with a control character, a number field that is not a number, a depth text not in
// the facility's list, a catalogue size outside its list.
RainwaterDocumentText rainwaterDocumentText(const RainwaterInput& input);

} // namespace tovarin
