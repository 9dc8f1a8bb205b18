#pragma once
// The rule every kind of document keeps for the names it prints: the sheet is written
// in code page 932 (the report file, "書き込み", the tool's sheet), so a name must be
// one that code page 932 can hold. Reading a document, saving it and computing it in
// the windows all refuse such a name with the character named; the PDF, --results
// and --csv never see it. Qt-free.

#include "engine/Rainwater.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovarin {

// Why the sheet cannot hold the name: "区域（1行目）の名称の文字「𠮷」（U+20BB7）は…",
// with `what` naming the field; none when it can. Control characters are left to
// their own rule (they are shown as "?" on the sheet).
std::optional<std::string> sheetNameProblem(std::string_view name, const std::string& what);

// The first name of the input that the sheet cannot hold, as a refusal of its field
// (the area table's cell, the facility's name).
std::optional<RainwaterRefusal> rainwaterNameRefusal(const RainwaterInput& input);

// The calculation as the windows ask it: a name the sheet cannot hold is refused
// first, then computeRainwater.
RainwaterOutcome computeRainwaterSheet(const RainwaterInput& input);

} // namespace tovarin
