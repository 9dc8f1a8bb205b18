#include "platform/Cp932.h"
#include "platform/Cp932Conversion.h"

#include <windows.h>

namespace tovarin::cp932 {

namespace {

constexpr UINT codePage932 = 932;

std::wstring wideOf(std::string_view text, UINT codePage, bool* ok) {
    *ok = true;
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        *ok = false;
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                            length) != length)
        *ok = false;
    return wide;
}

// UTF-16 to code page 932 without best-fit mapping: a character the code page does not
// hold as itself (the yen sign, the overline) fails instead of becoming another one.
bool cp932Of(const std::wstring& wide, std::string* out) {
    out->clear();
    if (wide.empty())
        return true;
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(codePage932, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    out->resize(static_cast<size_t>(length));
    return WideCharToMultiByte(codePage932, WC_NO_BEST_FIT_CHARS, wide.data(), size, out->data(),
                               length, nullptr, &usedDefault) == length &&
           !usedDefault;
}

bool utf8Of(const std::wstring& wide, std::string* out) {
    out->clear();
    if (wide.empty())
        return true;
    const int size = static_cast<int>(wide.size());
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return false;
    out->resize(static_cast<size_t>(length));
    return WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out->data(), length, nullptr,
                               nullptr) == length;
}

// One UTF-8 character to code page 932.
bool characterConverts(std::string_view character) {
    bool ok = false;
    const std::wstring wide = wideOf(character, CP_UTF8, &ok);
    std::string bytes;
    return ok && cp932Of(wide, &bytes);
}

// Where a failed conversion stopped: the first character that does not convert alone.
size_t firstFailingCharacter(std::string_view utf8) {
    size_t at = 0;
    while (at < utf8.size()) {
        const size_t length = utf8SequenceLength(static_cast<unsigned char>(utf8[at]));
        if (!characterConverts(utf8.substr(at, length)))
            return at;
        at += length;
    }
    return utf8.size();
}

// Windows reads the single bytes 0x80, 0xA0 and 0xFD to 0xFF as private characters;
// code page 932 as the documents use it (and glibc) has none there. Their offset, or
// the length of the text when there is none.
size_t firstUndefinedSingleByte(std::string_view bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte == 0x80 || byte == 0xA0 || byte >= 0xFD)
            return at;
        const bool lead = (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
        at += lead ? 2 : 1;
    }
    return bytes.size();
}

} // namespace

Conversion toCp932(std::string_view utf8) {
    Conversion result;
    bool ok = false;
    const std::wstring wide = wideOf(utf8, CP_UTF8, &ok);
    if (ok && cp932Of(wide, &result.out)) {
        result.ok = true;
        result.failedAt = utf8.size();
        return result;
    }
    result.out.clear();
    result.failedAt = firstFailingCharacter(utf8);
    return result;
}

Conversion fromCp932(std::string_view bytes) {
    Conversion result;
    const size_t undefined = firstUndefinedSingleByte(bytes);
    if (undefined < bytes.size()) {
        result.failedAt = undefined;
        return result;
    }
    bool ok = false;
    const std::wstring wide = wideOf(bytes, codePage932, &ok);
    if (!ok || !utf8Of(wide, &result.out)) {
        result.out.clear();
        return result;
    }
    result.ok = true;
    result.failedAt = bytes.size();
    return result;
}

} // namespace tovarin::cp932
