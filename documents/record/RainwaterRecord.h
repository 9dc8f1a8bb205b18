#pragma once
// The rainwater document ".tvu": UTF-8 text that people and scripts can write. The
// first line is "Tovarin 雨水 1", then one key=value a line in a fixed order (blank
// lines are ignored). Reading refuses an unknown, missing or misplaced key, a bad
// value, and whatever saving would refuse, with a message that names the line
// ("3行目：…"): a document that opens can be saved. It stands beside the sewage
// document's record (DocumentRecord.h). Qt-free.

#include "engine/Rainwater.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

// The first line of every rainwater document.
inline constexpr std::string_view rainwaterDocumentHeading = "Tovarin 雨水 1";

// ---------------------------------------------------------------- one key

// The keys of the input, in the order a rainwater document holds them; 区域 repeats,
// one line per area. A document of another kind may hold them in its own order.
enum class RainwaterKey {
    Area,       // 区域=NAME,AREA,C
    Intensity,  // 降雨強度=FORM,a[,b][,n] or 直接,I
    InletTime,  // 流入時間=t1 (not with 直接)
    FlowLength, // 流下延長=L (not with 直接)
    Facility,   // 施設=KIND,NOMINAL or KIND,NAME,DIMENSIONS…
    Gradient,   // 勾配=x
    Roughness,  // 粗度係数=n
    Formula,    // 公式=マニング or クッター
    Depth       // 有効水深=TEXT of the facility's list (after 施設)
};
std::string_view rainwaterKeyName(RainwaterKey key);
std::optional<RainwaterKey> rainwaterKeyFromName(std::string_view name);

// The key whose line holds a field: where a refusal of the input points in a document.
RainwaterKey rainwaterKeyOf(RainwaterField field);

// Reads one key's value into the input (区域 adds a row). Nothing when read; else why
// not, in Japanese, without the line ("勾配が数値ではありません。").
std::optional<std::string> readRainwaterValue(RainwaterKey key, std::string_view value,
                                              RainwaterInput& input);

// The values the input writes for one key, one a line: a value per area for 区域,
// none for 流入時間 and 流下延長 with 直接. The input must pass savingRefusal.
std::vector<std::string> rainwaterValues(RainwaterKey key, const RainwaterInput& input);

// ---------------------------------------------------------------- the whole document

struct RainwaterDocumentRead {
    std::optional<RainwaterInput> input; // set when the text is a whole document
    std::string message;                 // why not, in Japanese, naming the line
};

// Parses a whole document (UTF-8; CR LF, LF or CR line ends; an optional byte order
// mark). A file in code page 932 or UTF-16 is refused with the hint to save it as UTF-8.
RainwaterDocumentRead parseRainwaterDocument(std::string_view text);

struct RainwaterDocumentText {
    std::string text;                        // UTF-8, LF line ends; empty when refused
    std::optional<RainwaterRefusal> refusal; // why the input cannot be saved, and where
    bool ok() const { return !refusal; }
};

// The document text of the input; refused as savingRefusal (engine/RainwaterFields.h)
// refuses: no area, a name with a control character, a number field that is not a
// number, nothing chosen in a list; and a name the sheet cannot hold (SheetNames.h).
RainwaterDocumentText rainwaterDocumentText(const RainwaterInput& input);

} // namespace tovarin
