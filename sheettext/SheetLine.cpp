#include "sheettext/SheetLine.h"

#include "engine/NumberText.h"
#include "platform/Cp932.h"

namespace tovarin {

namespace {

// Code point of the UTF-8 sequence at text[at], which holds `length` bytes.
char32_t codePointAt(const std::string& text, size_t at, size_t length) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
    if (length == 1)
        return byte(0);
    char32_t cp = byte(0) & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
        cp = (cp << 6) | (byte(i) & 0x3F);
    return cp;
}

bool isHalfWidth(char32_t cp) {
    const bool ascii = cp < 0x80;
    const bool halfWidthKatakana = cp >= 0xFF61 && cp <= 0xFF9F;
    return ascii || halfWidthKatakana;
}

struct ItemText {
    std::string operator()(const LiteralItem& item) const { return item.text; }
    std::string operator()(const ValueItem& item) const {
        return formatNumber(item.value, item.pattern);
    }
    std::string operator()(const FacilityTextItem& item) const { return item.text; }
    std::string operator()(const ColumnJumpItem&) const { return {}; }
};

} // namespace

std::string itemText(const SheetItem& item) {
    return std::visit(ItemText{}, item);
}

int displayColumns(const std::string& utf8) {
    int columns = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t length = cp932::utf8SequenceLength(static_cast<unsigned char>(utf8[i]));
        if (i + length > utf8.size())
            length = utf8.size() - i;
        columns += isHalfWidth(codePointAt(utf8, i, length)) ? 1 : 2;
        i += length;
    }
    return columns;
}

std::string lineText(const SheetLine& line) {
    std::string text;
    for (const SheetItem& item : line.items) {
        if (const auto* jump = std::get_if<ColumnJumpItem>(&item)) {
            const int used = displayColumns(text);
            if (used < jump->column - 1)
                text.append(jump->column - 1 - used, ' ');
        } else {
            text += itemText(item);
        }
    }
    return text;
}

} // namespace tovarin
