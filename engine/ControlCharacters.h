#pragma once
// Control characters in typed text. Everything but the tab is refused when a document
// is saved and shown as a visible stand-in on the sheet: the raw byte would act in a
// terminal (ESC) or break the lines of a file instead of showing. The bidirectional
// controls count as control characters too: they would reorder the text around them
// (a name that reads "fdp.tvu" but is "uvt.pdf"). Every message that quotes a value
// read from a file quotes it through messagePiece. Qt-free.

#include <cstddef>
#include <string>
#include <string_view>

namespace tovarin {

// Length in bytes of the control character that starts at `at` in UTF-8 text, 0 when
// there is none: C0 (U+0000 to U+001F) except the tab, DEL (U+007F), C1 (U+0080 to
// U+009F, the two bytes C2 80 to C2 9F), and the bidirectional controls: U+061C,
// U+200E, U+200F, U+202A to U+202E and U+2066 to U+2069.
inline size_t controlCharacterLength(std::string_view text, size_t at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if ((byte < 0x20 && byte != '\t') || byte == 0x7F)
        return 1;
    const auto next = [&](size_t offset) {
        return at + offset < text.size() ? static_cast<unsigned char>(text[at + offset]) : 0;
    };
    if (byte == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F)
        return 2;
    if (byte == 0xD8 && next(1) == 0x9C) // U+061C
        return 2;
    if (byte == 0xE2 && next(1) == 0x80 &&
        (next(2) == 0x8E || next(2) == 0x8F || (next(2) >= 0xAA && next(2) <= 0xAE)))
        return 3; // U+200E, U+200F, U+202A to U+202E
    if (byte == 0xE2 && next(1) == 0x81 && next(2) >= 0xA6 && next(2) <= 0xA9)
        return 3; // U+2066 to U+2069
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

// How many characters of a value a message quotes at most.
inline constexpr size_t messagePieceCharacters = 40;

// A value as a message quotes it: its first messagePieceCharacters characters, never
// cut inside a character, then "…" when there was more; control characters shown as
// visibleText shows them. A value of megabytes stays a short message.
inline std::string messagePiece(std::string_view value) {
    size_t end = 0;
    size_t characters = 0;
    while (end < value.size() && characters < messagePieceCharacters) {
        ++end;
        // The continuation bytes 10xxxxxx belong to the character before them.
        while (end < value.size() && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80)
            ++end;
        ++characters;
    }
    std::string piece = visibleText(std::string(value.substr(0, end)));
    if (end < value.size())
        piece += "…";
    return piece;
}

} // namespace tovarin
