#include "Cp932.h"

#include <cerrno>
#include <iconv.h>

namespace tovarin::cp932 {

namespace {

// One iconv conversion of a whole text. On an unconvertible or invalid sequence it
// stops and reports the input offset where conversion failed.
struct Conversion {
    std::string out;
    bool ok = false;
    size_t failedAt = 0;
};

Conversion convert(const char* to, const char* from, std::string_view in) {
    Conversion result;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return result;
    result.out.resize(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = result.out.data();
    size_t outLeft = result.out.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    if (rc != static_cast<size_t>(-1)) {
        rc = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    }
    iconv_close(cd);
    result.ok = rc != static_cast<size_t>(-1) && inLeft == 0;
    result.failedAt = in.size() - inLeft;
    result.out.resize(result.out.size() - outLeft);
    return result;
}

struct LookAlike {
    std::string_view typed;
    std::string_view stored;
};

constexpr LookAlike lookAlikes[] = {
    {"\u2014", "\u2015"}, {"\u301C", "\uFF5E"}, {"\u2212", "\uFF0D"},
    {"\u2016", "\u2225"}, {"\u00A2", "\uFFE0"}, {"\u00AC", "\uFFE2"},
};

std::string mapLookAlikes(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
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
// sign) as the full-width pound, and they read back as those. Found by reading each
// character back; returns the first one that changes, or nothing.
std::optional<std::string> firstAlteredCharacter(const std::string& text) {
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = utf8SequenceLength(static_cast<unsigned char>(text[i]));
        const std::string character = text.substr(i, length);
        const Conversion bytes = convert("CP932", "UTF-8", character);
        const Conversion back = convert("UTF-8", "CP932", bytes.out);
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
    Conversion c = convert("CP932", "UTF-8", text);
    if (c.ok) {
        // The usual case reads back unchanged; only a mismatch is searched for.
        const Conversion back = convert("UTF-8", "CP932", c.out);
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
    Conversion c = convert("UTF-8", "CP932", bytes);
    result.ok = c.ok;
    if (c.ok)
        result.utf8 = std::move(c.out);
    return result;
}

} // namespace tovarin::cp932
