#include "platform/Cp932.h"

#include "platform/Cp932Conversion.h"

namespace tovarin::cp932 {

namespace {

struct LookAlike {
    std::string_view typed;
    std::string_view stored;
};

constexpr LookAlike lookAlikes[] = {
    {"\u2014", "\u2015"}, {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"},
    {"\u2016", "\u2225"}, {"\u00A2", "\uFFE0"}, {"\u00AC", "\uFFE2"},
};

// Every look-alike starts with one of these bytes; runs without them are copied whole.
bool mayStartLookAlike(char c) {
    return c == '\xC2' || c == '\xE2' || c == '\xE3';
}

std::string mapLookAlikes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        size_t runEnd = i;
        while (runEnd < utf8.size() && !mayStartLookAlike(utf8[runEnd]))
            ++runEnd;
        out.append(utf8.data() + i, runEnd - i);
        i = runEnd;
        if (i == utf8.size())
            break;
        bool mapped = false;
        for (const auto& l : lookAlikes) {
            if (utf8.substr(i, l.typed.size()) == l.typed) {
                out += l.stored;
                i += l.typed.size();
                mapped = true;
                break;
            }
        }
        if (!mapped)
            out += utf8[i++];
    }
    return out;
}

// A character the code page holds only as another one: glibc writes U+00A5 (yen
// sign) as the backslash byte, U+203E (overline) as the tilde and U+00A3 (pound
// sign) as the full-width pound, and they read back as those (Windows refuses them
// outright). Found by reading each character back; returns the first one that
// changes, or nothing.
std::optional<std::string> firstAlteredCharacter(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = utf8SequenceLength(static_cast<unsigned char>(text[i]));
        const std::string character = text.substr(i, length);
        const Conversion bytes = toCp932(character);
        const Conversion back = fromCp932(bytes.out);
        if (!back.ok || back.out != character)
            return character;
        i += length;
    }
    return std::nullopt;
}

} // namespace

EncodeResult encode(std::string_view utf8) {
    EncodeResult result;
    const std::string text = mapLookAlikes(utf8);
    Conversion c = toCp932(text);
    if (c.ok) {
        // The usual case reads back unchanged; only a mismatch is searched for.
        const Conversion back = fromCp932(c.out);
        if (back.ok && back.out == text) {
            result.bytes = std::move(c.out);
            return result;
        }
        result.unencodable = firstAlteredCharacter(text);
        if (!result.unencodable)
            result.unencodable = std::string("?");
        return result;
    }
    size_t at = c.failedAt < text.size() ? c.failedAt : text.size();
    size_t len = at < text.size() ? utf8SequenceLength(static_cast<unsigned char>(text[at])) : 0;
    result.unencodable = text.substr(at, len);
    if (result.unencodable->empty())
        result.unencodable = std::string("?");
    return result;
}

DecodeResult decode(std::string_view bytes) {
    DecodeResult result;
    Conversion c = fromCp932(bytes);
    result.ok = c.ok;
    if (c.ok)
        result.utf8 = std::move(c.out);
    return result;
}

} // namespace tovarin::cp932
