#pragma once
// File names on Windows: the program keeps them in UTF-8, the system takes UTF-16.
// Built on Windows only. Qt-free.

#include <string>

namespace tovarin {

// The UTF-16 name the wide file functions take; empty when `utf8` is not UTF-8.
std::wstring wideName(const std::string& utf8);

// True for a name that reaches a device rather than a file: a reserved name in any
// folder and with any extension (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9,
// CONIN$, CONOUT$: "NUL.tvr" is the null device), and names in the device namespace
// (\\.\…, \\?\… other than a drive or UNC path), pipes included.
bool isDeviceName(const std::wstring& name);

// The errno value for a Windows error code (GetLastError), so that one table of
// reasons serves both systems; EIO for the codes it does not know.
int errnoOfWindowsError(unsigned long error);

} // namespace tovarin
