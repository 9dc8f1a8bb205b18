#pragma once
// The system's own conversion between UTF-8 and code page 932, one whole text at a
// time, under the look-alike mapping and the read-back check of Cp932.cpp. One
// implementation per system: Cp932Iconv.cpp (glibc's iconv) and Cp932Windows.cpp
// (WideCharToMultiByte without best-fit mapping). Qt-free.

#include <cstddef>
#include <string>
#include <string_view>

namespace tovarin::cp932 {

// A conversion stops at the first character it cannot convert (or the first invalid
// sequence) and reports its offset in the input.
struct Conversion {
    std::string out;
    bool ok = false;
    size_t failedAt = 0;
};

Conversion toCp932(std::string_view utf8);
Conversion fromCp932(std::string_view bytes);

} // namespace tovarin::cp932
