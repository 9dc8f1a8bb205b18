#include "platform/RegularFile.h"
#include "platform/WindowsNames.h"

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace tovarin {

namespace {

// Only "no such file or folder" makes a free name; anything else that stops the look
// (no access, a name too long) hides what is there.
PathState stateOfName(const std::wstring& name) {
    if (isDeviceName(name))
        return {PathKind::Special, 0};
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {PathKind::Absent, 0};
        return {PathKind::Unreachable, errnoOfWindowsError(error)};
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return {PathKind::Folder, 0};
    return {PathKind::Regular, 0};
}

// A file on a disk, as opposed to a console, a pipe or a device that got past the
// names.
bool isDiskFile(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK;
}

// The volume and the file index of a file, which together name it; none when the
// name reaches no file.
struct FileIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

bool identityOfHandle(HANDLE file, FileIdentity& identity) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (GetFileInformationByHandle(file, &information) == 0)
        return false;
    identity = {information.dwVolumeSerialNumber, information.nFileIndexHigh,
                information.nFileIndexLow};
    return true;
}

bool identityOf(const std::string& path, FileIdentity& identity) {
    const std::wstring name = wideName(path);
    if (name.empty() || isDeviceName(name))
        return false;
    const HANDLE file =
        CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = identityOfHandle(file, identity);
    CloseHandle(file);
    return known;
}

bool sameIdentity(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.indexHigh == b.indexHigh && a.indexLow == b.indexLow;
}

} // namespace

bool isSameFile(const std::string& first, const std::string& second) {
    FileIdentity a;
    FileIdentity b;
    return identityOf(first, a) && identityOf(second, b) && sameIdentity(a, b);
}

bool isStandardOutputFile(const std::string& path) {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    FileIdentity a;
    FileIdentity b;
    return output != INVALID_HANDLE_VALUE && output != nullptr &&
           GetFileType(output) == FILE_TYPE_DISK && identityOfHandle(output, a) &&
           identityOf(path, b) && sameIdentity(a, b);
}

PathState pathState(const std::string& path) {
    const std::wstring name = wideName(path);
    return name.empty() ? PathState{} : stateOfName(name);
}

// Binary (no line-end translation) and not inherited by programs started later. The
// mode only says whether a new file is read-only.
RegularOpen openRegularFile(const std::string& path, int flags, mode_t mode) {
    RegularOpen result;
    const std::wstring name = wideName(path);
    if (name.empty()) {
        result.error = ENOENT;
        return result;
    }
    const PathState before = stateOfName(name);
    if (before.kind == PathKind::Folder || before.kind == PathKind::Special) {
        result.refused = before.kind;
        return result;
    }
    if (before.kind == PathKind::Unreachable) {
        result.error = before.error;
        return result;
    }
    const int permission = (mode & 0222) ? (_S_IREAD | _S_IWRITE) : _S_IREAD;
    const int fd = _wopen(name.c_str(), flags | _O_BINARY | _O_NOINHERIT, permission);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    if (!isDiskFile(fd)) {
        result.refused = PathKind::Special;
        _close(fd);
        return result;
    }
    result.fd = fd;
    return result;
}

} // namespace tovarin
