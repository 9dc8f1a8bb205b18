#pragma once
// The files the program reads and writes by name (documents, "Tvrn.txt") must be
// regular files, a symbolic link to one included, or names that do not exist yet.
// Opening a FIFO waits until its other end opens, a device may never end, and
// saving over either would replace it with a plain file. Qt-free.

#include <string>
#include <sys/types.h>

namespace tovarin {

enum class PathKind {
    Absent,  // nothing by that name
    Regular, // a regular file, possibly reached through a symbolic link
    Folder,
    Special,     // a device, FIFO or socket
    Unreachable, // cannot be looked at (a symbolic-link loop, a name too long, no
                 // permission to search the folder): never taken for a free name
};

struct PathState {
    PathKind kind = PathKind::Absent;
    int error = 0; // errno of the look when the kind is Unreachable
};

// What the name refers to, following symbolic links, and why it cannot be seen.
PathState pathState(const std::string& path);

inline PathKind pathKind(const std::string& path) {
    return pathState(path).kind;
}

// Whether both names reach one and the same file (the same device and inode, or on
// Windows the same volume and file index), through symbolic and hard links alike:
// an output must never be written over one of the inputs. False when either name
// reaches nothing.
bool isSameFile(const std::string& first, const std::string& second);

// Whether standard output is the file the name reaches (a run redirected onto its
// own input: "tovarin-sheet --csv a.tvu >> a.tvu").
bool isStandardOutputFile(const std::string& path);

// The reason shown to the user for a name that is a device, FIFO or socket.
inline constexpr const char* notARegularFileReason =
    "通常のファイルではありません（装置、FIFO、ソケットなど）。";

struct RegularOpen {
    int fd = -1; // close-on-exec, non-blocking only when read-only; -1 when refused or failed
    PathKind refused = PathKind::Absent; // Folder or Special when the name was refused
    int error = 0;                       // errno of a failed open or look
};

// Opens `path` with the open(2) `flags` when it is a regular file, or creates it when
// the flags say so and the name is free. Anything else is refused without being
// opened. The open itself does not block (O_NONBLOCK) and the type is checked again on
// the open descriptor, so a FIFO put in place meanwhile cannot hang the program.
RegularOpen openRegularFile(const std::string& path, int flags, mode_t mode = 0666);

struct RegularRead {
    bool ok = false;
    std::string bytes;                   // at most `limit` + 1 bytes
    PathKind refused = PathKind::Absent; // Folder or Special when the name was refused
    bool missing = false;                // no file (or no folder) by that name
    int error = 0;                       // errno of a failed open or read
};

// Reads the regular file at `path` (opened as openRegularFile does), but never more
// than `limit` + 1 bytes, so that a caller can tell a file over its limit from one
// that just fits without holding a huge file in memory. A file that has no data
// ready (EAGAIN) is given up, never waited for.
RegularRead readRegularFile(const std::string& path, size_t limit);

} // namespace tovarin
