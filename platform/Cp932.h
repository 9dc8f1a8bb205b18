#pragma once
// Code page 932 (Japanese Windows code page) to and from UTF-8, as the report file
// and the document file store their text. Qt-free.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tovarin::cp932 {

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
inline size_t utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

struct EncodeResult {
    std::string bytes;                      // the encoded text (empty when it failed)
    std::optional<std::string> unencodable; // the first character (UTF-8) it cannot hold
    bool ok() const { return !unencodable; }
};

// Encodes UTF-8 text. Look-alike characters that users type or paste are first
// mapped to the characters code page 932 holds (U+2014 → U+2015, U+301C → U+FF5E,
// U+2212 → U+FF0D, U+2016 → U+2225, U+00A2 → U+FFE0, U+00AC → U+FFE2). Nothing is
// dropped or replaced: a character it cannot hold, or could hold only as another
// character (the yen sign as a backslash), is reported instead.
EncodeResult encode(std::string_view utf8);

struct DecodeResult {
    std::string utf8;
    bool ok = false; // false when the bytes are not valid code page 932
};

DecodeResult decode(std::string_view bytes);

} // namespace tovarin::cp932
