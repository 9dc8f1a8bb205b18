#pragma once
// Control characters in typed text. Everything but the tab is refused when a document
// is saved and shown as a visible stand-in on the sheet: the raw byte would act in a
// terminal (ESC) or break the lines of a file instead of showing. Qt-free.

#include <cstddef>
#include <string>
#include <string_view>

namespace tovarin {

// Length in bytes of the control character that starts at `at` in UTF-8 text, 0 when
// there is none: C0 (U+0000 to U+001F) except the tab, DEL (U+007F), and C1 (U+0080
// to U+009F, the two bytes C2 80 to C2 9F).
inline size_t controlCharacterLength(std::string_view text, size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
        return 1;
    if (byte == 0xC2 && at + 1 < text.size()) {
        const auto next = static_cast<unsigned char>(text[at + 1]);
        if (next >= 0x80 && next <= 0x9F)
            return 2;
    }
    return 0;
}

// Whether the text holds a control character other than the tab: such a name cannot
// be saved, and a document that holds one cannot be opened.
inline bool hasControlCharacter(std::string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (controlCharacterLength(text, i) > 0)
            return true;
    }
    return false;
}

// Typed text with every control character except the tab shown as "?", which is one
// column wide like the character it stands for and exists in every code page: how the
// sheet shows a typed name, and how the tool's messages show a file's name.
inline std::string visibleText(const std::string& typed) {
    std::string shown;
    shown.reserve(typed.size());
    for (size_t i = 0; i < typed.size();) {
        if (const size_t control = controlCharacterLength(typed, i)) {
            shown += '?';
            i += control;
        } else {
            shown += typed[i++];
        }
    }
    return shown;
}

} // namespace tovarin
