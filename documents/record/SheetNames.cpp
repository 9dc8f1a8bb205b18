#include "documents/record/SheetNames.h"

#include "engine/ControlCharacters.h"
#include "engine/RainwaterFields.h"
#include "platform/Cp932.h"

#include <cstdio>

namespace tovarin {

namespace {

// "U+20BB7" for the first character of UTF-8 text.
std::string codePointName(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character.front());
    const std::size_t length = cp932::utf8SequenceLength(lead);
    unsigned codePoint = lead;
    if (length > 1)
        codePoint = lead & (0x7Fu >> length);
    for (std::size_t k = 1; k < length && k < character.size(); ++k)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(character[k]) & 0x3Fu);
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", codePoint);
    return name;
}

} // namespace

std::optional<std::string> sheetNameProblem(std::string_view name, const std::string& what) {
    const cp932::EncodeResult encoded = cp932::encode(visibleText(std::string(name)));
    if (encoded.ok())
        return std::nullopt;
    const std::string& character = *encoded.unencodable;
    return what + "の文字「" + messagePiece(character) + "」（" + codePointName(character) +
           "）は計算書の文字コード（シフトJIS）にないため使えません。";
}

std::optional<RainwaterRefusal> rainwaterNameRefusal(const RainwaterInput& input) {
    for (const RainwaterFieldEntry& entry : rainwaterFields(input)) {
        if (entry.rule != FieldRule::Name)
            continue;
        if (std::optional<std::string> problem = sheetNameProblem(entry.text, entry.what))
            return RainwaterRefusal{std::move(*problem), entry.field, entry.row, entry.column};
    }
    return std::nullopt;
}

RainwaterOutcome computeRainwaterSheet(const RainwaterInput& input) {
    RainwaterOutcome outcome;
    if ((outcome.failure = rainwaterNameRefusal(input)))
        return outcome;
    return computeRainwater(input);
}

} // namespace tovarin
