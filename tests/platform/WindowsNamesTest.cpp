// The device names of Windows in every form they take, and names that only look
// like one.

#include "platform/WindowsNames.h"

#include <gtest/gtest.h>

using namespace tovarin;

TEST(WindowsNames, KnowsTheDeviceNamesInEveryForm) {
    for (const wchar_t* name :
         {L"CON", L"nul", L"NUL.tvr", L"nul.tar.gz", L"C:\\Users\\a\\COM1", L"lpt9.txt",
          L"folder/aux", L"PRN ", L"CONOUT$", L"\\\\.\\C:", L"\\\\.\\pipe\\x",
          L"//./PhysicalDrive0", L"\\\\?\\GLOBALROOT\\Device\\Null"})
        EXPECT_TRUE(isDeviceName(name)) << name;
    for (const wchar_t* name : {L"Tvrn.txt", L"CONSOLE.tvr", L"NULL", L"COM0", L"COM10", L"LPT",
                                L"mynul.tvr", L"C:\\CON folder\\a.tvr", L"\\\\?\\C:\\Users\\a.tvr",
                                L"\\\\?\\UNC\\server\\share\\a", L"\\\\server\\share\\a.tvr"})
        EXPECT_FALSE(isDeviceName(name)) << name;
}
