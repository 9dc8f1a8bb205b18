#pragma once
// Special files and file-size limits for the tests of refusals and full disks, and the
// other things the tests need of the system. Each returns false (or nothing) where the
// system has no such thing: the test then skips with its reason. One implementation
// per system.

#include <QProcess>
#include <QString>

#include <functional>

namespace tovarin::testing {

// A FIFO by that name; false where the file system has none (Windows).
bool makeFifo(const QString& path);
bool isFifo(const QString& path);

// A socket's name in a folder; it stays after the socket is closed. False on Windows.
bool makeSocketFile(const QString& path);

// A symbolic link; false on Windows, where making one needs rights a user may not
// have (and QFile::link makes a shortcut instead).
bool makeSymbolicLink(const QString& target, const QString& link);

// A second name for the same file (a hard link), on both systems.
bool makeHardLink(const QString& existing, const QString& link);

// The file held open by "another program" that shares nothing (no reading, writing
// or deleting) for as long as this object lives. Such locks exist on Windows only:
// elsewhere held() is false.
class LockedFile {
public:
    explicit LockedFile(const QString& path);
    ~LockedFile();
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;
    bool held() const { return handle_ != nullptr; }

private:
    void* handle_ = nullptr;
};

// A device by its file name: "/dev/null" on Linux, "NUL" on Windows.
QString nullDeviceName();

// A device on which every write fails as on a full disk ("/dev/full"); empty where
// there is none (Windows).
QString fullDeviceName();

// Runs `body` in a child process whose files cannot grow beyond `roomBytes` (the
// stand-in for a full disk; a write past it fails with EFBIG) and returns its exit
// status; -1 when the child failed, -2 where the system has no such limit (Windows).
int inChildWithRoom(long long roomBytes, const std::function<int()>& body);

// Gives the process started next the same limit; false where there is none.
bool limitRoomOfChild(QProcess& process, long long roomBytes);

// Why poppler's pdftotext and pdfinfo, which read the tests' PDFs back, cannot run
// here at all; nullptr where they can (on Linux a missing one is a fault of the
// set-up: scripts/setup installs them).
const char* popplerUnavailableReason();

// Whether the font engine rounds a character's advance to whole pixels on the screen
// (Windows' engine does; FreeType on Linux keeps the fraction).
bool screenAdvancesAreWholePixels();

} // namespace tovarin::testing
