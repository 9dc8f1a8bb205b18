#include "platform/WindowsNames.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cwctype>

namespace tovarin {

std::wstring wideName(const std::string& utf8) {
    if (utf8.empty())
        return {};
    const int size = static_cast<int>(utf8.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(),
                            length) != length)
        return {};
    return wide;
}

namespace {

std::wstring upper(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return text;
}

// The last part of a name, before its first dot and without trailing spaces: the
// part Windows compares with the reserved device names.
std::wstring deviceStem(const std::wstring& name) {
    const size_t slash = name.find_last_of(L"\\/:");
    std::wstring stem = slash == std::wstring::npos ? name : name.substr(slash + 1);
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && stem.back() == L' ')
        stem.pop_back();
    return upper(stem);
}

bool isReservedStem(const std::wstring& stem) {
    static const std::array<const wchar_t*, 6> plain = {L"CON", L"PRN",    L"AUX",
                                                        L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* reserved : plain) {
        if (stem == reserved)
            return true;
    }
    return stem.size() == 4 &&
           (stem.compare(0, 3, L"COM") == 0 || stem.compare(0, 3, L"LPT") == 0) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

// \\.\… always names a device; \\?\… only when it is no drive (\\?\C:\…) or UNC path.
bool inDeviceNamespace(std::wstring name) {
    std::replace(name.begin(), name.end(), L'/', L'\\');
    if (name.size() < 4 || name.compare(0, 2, L"\\\\") != 0 || name[3] != L'\\')
        return false;
    if (name[2] == L'.')
        return true;
    if (name[2] != L'?')
        return false;
    const std::wstring rest = upper(name.substr(4));
    const bool drive =
        rest.size() >= 3 && std::iswalpha(rest[0]) && rest[1] == L':' && rest[2] == L'\\';
    return !drive && rest.compare(0, 4, L"UNC\\") != 0;
}

} // namespace

bool isDeviceName(const std::wstring& name) {
    return inDeviceNamespace(name) || isReservedStem(deviceStem(name));
}

} // namespace tovarin

namespace tovarin {

int errnoOfWindowsError(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    default:
        return EIO;
    }
}

} // namespace tovarin
