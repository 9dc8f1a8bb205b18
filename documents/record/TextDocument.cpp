#include "documents/record/TextDocument.h"

#include "platform/Cp932.h"

namespace tovarin {

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool firstLineIs(std::string_view bytes, std::string_view heading, std::string_view cr,
                 std::string_view lf) {
    if (bytes.substr(0, heading.size()) != heading)
        return false;
    const std::string_view after = bytes.substr(heading.size());
    return after.empty() || after.substr(0, cr.size()) == cr || after.substr(0, lf.size()) == lf;
}

// The heading (ASCII and characters of the Basic Multilingual Plane) in UTF-16.
std::string utf16(std::string_view utf8, bool littleEndian) {
    std::string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = cp932::utf8SequenceLength(lead);
        unsigned codePoint = lead;
        if (length == 2)
            codePoint = lead & 0x1Fu;
        else if (length == 3)
            codePoint = lead & 0x0Fu;
        for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k)
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3Fu);
        const char high = static_cast<char>(codePoint >> 8);
        const char low = static_cast<char>(codePoint & 0xFFu);
        units += littleEndian ? std::string{low, high} : std::string{high, low};
        i += length;
    }
    return units;
}

bool startsWithUtf16Heading(std::string_view bytes, std::string_view heading, bool littleEndian) {
    const std::string mark = utf16("\xEF\xBB\xBF", littleEndian);
    if (bytes.substr(0, mark.size()) == mark)
        bytes.remove_prefix(mark.size());
    return firstLineIs(bytes, utf16(heading, littleEndian), utf16("\r", littleEndian),
                       utf16("\n", littleEndian));
}

} // namespace

std::vector<std::string_view> textLines(std::string_view text) {
    // A text without LF is ended by CRs alone; in any other, a CR is a line end only
    // before its LF.
    const char end = text.find('\n') == std::string_view::npos ? '\r' : '\n';
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find(end, start)) != std::string_view::npos; start = at + 1) {
        std::string_view line = text.substr(start, at - start);
        if (end == '\n' && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
    }
    lines.push_back(text.substr(start));
    return lines;
}

HeadingEncoding headingEncoding(std::string_view bytes, std::string_view heading) {
    std::string_view utf8 = bytes;
    if (utf8.substr(0, byteOrderMark.size()) == byteOrderMark)
        utf8.remove_prefix(byteOrderMark.size());
    if (firstLineIs(utf8, heading, "\r", "\n"))
        return HeadingEncoding::Utf8;
    const cp932::EncodeResult shiftJis = cp932::encode(heading);
    if (shiftJis.ok() && firstLineIs(bytes, shiftJis.bytes, "\r", "\n"))
        return HeadingEncoding::Cp932;
    if (startsWithUtf16Heading(bytes, heading, true) ||
        startsWithUtf16Heading(bytes, heading, false))
        return HeadingEncoding::Utf16;
    return HeadingEncoding::None;
}

bool isUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        unsigned codePoint = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07u;
        } else {
            return false;
        }
        if (i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0u) != 0x80u)
                return false;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        const bool overlong =
            (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
        if (overlong || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string utf8Hint(HeadingEncoding found) {
    std::string seen;
    if (found == HeadingEncoding::Cp932)
        seen = "ファイルがシフトJIS（コードページ932）で保存されています。";
    else if (found == HeadingEncoding::Utf16)
        seen = "ファイルがUTF-16で保存されています。";
    else
        seen = "ファイルにUTF-8ではない文字があります。";
    return seen + "文字コードをUTF-8にして保存し直してください。";
}

std::vector<std::string_view> splitCommas(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
}

} // namespace tovarin
