#include "platform/RegularFile.h"
#include "platform/WindowsNames.h"

#include <windows.h>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

namespace tovarin {

namespace {

PathKind kindOfName(const std::wstring& name) {
    if (isDeviceName(name))
        return PathKind::Special;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Absent;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return PathKind::Folder;
    return PathKind::Regular;
}

// A file on a disk, as opposed to a console, a pipe or a device that got past the
// names.
bool isDiskFile(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK;
}

} // namespace

PathKind pathKind(const std::string& path) {
    const std::wstring name = wideName(path);
    return name.empty() ? PathKind::Absent : kindOfName(name);
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
    const PathKind before = kindOfName(name);
    if (before == PathKind::Folder || before == PathKind::Special) {
        result.refused = before;
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
