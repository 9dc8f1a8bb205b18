#include "platform/ReplaceFile.h"

#include "platform/RegularFile.h"
#include "platform/WindowsNames.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <random>

namespace tovarin {

namespace {

std::wstring folderOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos)
        return L".";
    return path.substr(0, slash == 0 ? 1 : slash);
}

// The file a name stands for: a symbolic link is followed, so that the link stays a
// link and its target gets the new bytes.
std::wstring fileOf(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    const HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return path;
    std::wstring file(32768, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(handle, file.data(), static_cast<DWORD>(file.size()), 0);
    CloseHandle(handle);
    if (length == 0 || length >= file.size())
        return path;
    file.resize(length);
    return file;
}

// A new file of the temporary pattern (temporaryFileName) in the folder, made by this
// call and by no other.
HANDLE makeTemporary(const std::wstring& folder, std::wstring& name) {
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, temporaryFileLetters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string drawn;
        for (size_t i = 0; i < temporaryFileDrawn; ++i)
            drawn += temporaryFileLetters[pick(random)];
        const std::string letters = temporaryFileName(drawn);
        name = folder + L"\\" + std::wstring(letters.begin(), letters.end());
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            return handle;
    }
    return INVALID_HANDLE_VALUE;
}

bool writeAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), piece, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

WholeFileResult failure(WholeFileWrite outcome) {
    return {outcome, errnoOfWindowsError(GetLastError())};
}

// Puts the temporary file in place of an existing file with ReplaceFileW, which keeps
// what belongs to the file rather than to its bytes: its access rights (ACL), its
// creation time and its alternate data streams. Its attributes are kept too (a
// read-only file never gets here: it is refused before). False, with the temporary
// file still there, when nothing was replaced.
bool replaceExisting(const std::wstring& file, const std::wstring& temporary) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    bool replaced = ReplaceFileW(file.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr);
    // The old file is gone from its name and the new one did not take it: the new
    // bytes are whole, so they go there, as a new file would.
    if (!replaced && GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        replaced = MoveFileExW(temporary.c_str(), file.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    const DWORD error = GetLastError();
    // Changed since the last backup, so the archive attribute, as any write sets it.
    if (replaced && attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(file.c_str(), attributes | FILE_ATTRIBUTE_ARCHIVE);
    SetLastError(error);
    return replaced;
}

} // namespace

// The same steps as on POSIX systems, with two differences: the new file takes the
// access rights its folder gives when there is no old file (ReplaceFileW keeps the old
// file's), and a folder cannot be synced: MOVEFILE_WRITE_THROUGH makes the rename of a
// new name reach the disk before it returns, which is what the folder sync does there.
WholeFileResult replaceWholeFile(const std::string& path, std::string_view bytes) {
    const std::wstring name = wideName(path);
    if (name.empty())
        return {WholeFileWrite::Failed, ENOENT};
    const PathState state = pathState(path);
    if (const std::optional<WholeFileResult> refused = refusalOf(state))
        return *refused;
    const std::wstring file = fileOf(name);
    // A read-only file is the user's word that it stays as it is.
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return {WholeFileWrite::Failed, EACCES};
    std::wstring temporary;
    const HANDLE handle = makeTemporary(folderOf(file), temporary);
    if (handle == INVALID_HANDLE_VALUE)
        return failure(WholeFileWrite::Failed);
    if (!writeAll(handle, bytes) || !FlushFileBuffers(handle)) {
        const WholeFileResult result = failure(WholeFileWrite::Short);
        CloseHandle(handle);
        DeleteFileW(temporary.c_str());
        return result;
    }
    if (!CloseHandle(handle)) {
        const WholeFileResult result = failure(WholeFileWrite::Short);
        DeleteFileW(temporary.c_str());
        return result;
    }
    const bool replaced = state.kind == PathKind::Regular
                              ? replaceExisting(file, temporary)
                              : MoveFileExW(temporary.c_str(), file.c_str(),
                                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        const WholeFileResult result = failure(WholeFileWrite::Failed);
        DeleteFileW(temporary.c_str());
        return result;
    }
    return {WholeFileWrite::Written, 0};
}

} // namespace tovarin
