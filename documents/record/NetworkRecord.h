#pragma once
// The drainage network document ".tvn": UTF-8 text of one key=value a line, like the
// rainwater document. The first line is "Tovarin 雨水系統 1" or "Tovarin 汚水系統 1";
// the network's keys follow, then each section: a line "区間=NAME,UPPER,LOWER,LENGTH"
// and the section's keys, in a fixed order. The keys the rainwater document holds
// (区域, 降雨強度, 流入時間, 施設, 勾配, 粗度係数, 公式, 有効水深) are read and written as
// it reads and writes them (RainwaterRecord.h). Reading refuses an unknown, missing or
// misplaced key, a bad value, and a network that cannot be (NetworkStructure,
// engine/Network.h), with a message that names the line ("3行目：…"). What reading
// accepts, writing writes, and reading that again gives the same input. Qt-free.

#include "engine/Network.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovarin {

inline constexpr std::string_view rainwaterNetworkHeading = "Tovarin 雨水系統 1";
inline constexpr std::string_view sewageNetworkHeading = "Tovarin 汚水系統 1";

// Where each key of a document was read: the calculation's refusals are placed on
// the line that holds what they are about.
struct NetworkLines {
    std::vector<int> network; // the line of each of the network's own keys, 0 if none
    struct Section {
        int line = 0;           // the 区間 line
        std::vector<int> keys;  // the line of each of its keys, 0 if none
        std::vector<int> areas; // each 区域 line
    };
    std::vector<Section> sections;
};

struct NetworkDocumentRead {
    std::optional<NetworkInput> input; // set when the text is a whole document
    std::string message;               // why not, in Japanese, naming the line
    NetworkLines lines;                // valid with the input
};

// Parses a whole document (UTF-8; CR LF or LF line ends; an optional byte order mark).
NetworkDocumentRead parseNetworkDocument(std::string_view text);

// The line of the document that holds what a refusal of its calculation is about.
int networkRefusalLine(const NetworkLines& lines, const NetworkRefusal& refusal);

struct NetworkDocumentText {
    std::string text;    // UTF-8, LF line ends; empty when refused
    std::string message; // why the input cannot be written, in Japanese
    bool ok() const { return message.empty(); }
};

// The document text of the input, refused when reading that text would not give the
// same input back (a name holding a comma or a control character, a number field that
// is not a number, a network that cannot be).
NetworkDocumentText networkDocumentText(const NetworkInput& input);

} // namespace tovarin
