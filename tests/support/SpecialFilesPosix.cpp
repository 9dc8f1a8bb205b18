#include "tests/support/SpecialFiles.h"

#include <QFile>

#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tovarin::testing {

bool makeFifo(const QString& path) {
    return mkfifo(QFile::encodeName(path).constData(), 0666) == 0;
}

bool isFifo(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
}

bool makeSocketFile(const QString& path) {
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    if (listener < 0 || static_cast<size_t>(name.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    const bool bound =
        ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(listener);
    return bound;
}

bool makeSymbolicLink(const QString& target, const QString& link) {
    return QFile::link(target, link);
}

bool makeHardLink(const QString& existing, const QString& link) {
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(link).constData()) ==
           0;
}

LockedFile::LockedFile(const QString&) {}

LockedFile::~LockedFile() = default;

QString nullDeviceName() {
    return QStringLiteral("/dev/null");
}

QString fullDeviceName() {
    return QStringLiteral("/dev/full");
}

namespace {

// SIGXFSZ is ignored so that a write past the limit fails with EFBIG instead.
void limitFileSize(long long roomBytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(roomBytes);
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        _exit(3);
}

} // namespace

int inChildWithRoom(long long roomBytes, const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        limitFileSize(roomBytes);
        _exit(body());
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

bool limitRoomOfChild(QProcess& process, long long roomBytes) {
    process.setChildProcessModifier([roomBytes] { limitFileSize(roomBytes); });
    return true;
}

const char* popplerUnavailableReason() {
    return nullptr;
}

bool screenAdvancesAreWholePixels() {
    return false;
}

} // namespace tovarin::testing
