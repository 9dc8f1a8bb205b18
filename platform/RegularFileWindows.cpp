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

} // namespace

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
