#include "tests/support/SpecialFiles.h"

#include <windows.h>

namespace tovarin::testing {

bool makeFifo(const QString&) {
    return false;
}

bool isFifo(const QString&) {
    return false;
}

bool makeSocketFile(const QString&) {
    return false;
}

bool makeSymbolicLink(const QString&, const QString&) {
    return false;
}

bool makeHardLink(const QString& existing, const QString& link) {
    return CreateHardLinkW(reinterpret_cast<LPCWSTR>(link.utf16()),
                           reinterpret_cast<LPCWSTR>(existing.utf16()), nullptr) != 0;
}

LockedFile::LockedFile(const QString& path) {
    const HANDLE handle =
        CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), GENERIC_READ | GENERIC_WRITE, 0,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE)
        handle_ = handle;
}

LockedFile::~LockedFile() {
    if (handle_)
        CloseHandle(static_cast<HANDLE>(handle_));
}

QString nullDeviceName() {
    return QStringLiteral("NUL");
}

QString fullDeviceName() {
    return {};
}

int inChildWithRoom(long long, const std::function<int()>&) {
    return -2;
}

bool limitRoomOfChild(QProcess&, long long) {
    return false;
}

const char* popplerUnavailableReason() {
    return "pdftotext and pdfinfo are Linux programs, which a Windows program cannot start";
}

bool screenAdvancesAreWholePixels() {
    return true;
}

} // namespace tovarin::testing
