// Appending the sheet on Windows: device names in every form are refused with the
// message of a device on Linux, without being opened, and a file another program
// holds locked is reported and left as it was.

#include "platform/RegularFile.h"
#include "sheettext/ReportFile.h"
#include "tests/sheettext/ReportFileFixture.h"
#include "tests/sheettext/SheetTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

TEST_F(ScratchFolder, ADeviceNameIsRefusedLikeADeviceOnLinux) {
    const std::string refused =
        "」に書き込めませんでした。\n通常のファイルではありません（装置、FIFO、ソケットなど）。";
    for (const std::string& name :
         {std::string("NUL"), std::string("CON"), std::string("COM1"), std::string("LPT1"),
          folder.string() + "\\NUL.tvr", std::string("\\\\.\\pipe\\tovarin-test")}) {
        const ReportWrite written = appendSheet(residentialSheet(), name);
        EXPECT_FALSE(written.ok) << name;
        EXPECT_EQ(written.message, "ファイル「" + name + refused);
        EXPECT_EQ(pathKind(name), PathKind::Special) << name;
    }
    // Reading the console would wait for typing: refused before it is opened.
    const RegularRead read = readRegularFile("CON", 100);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.refused, PathKind::Special);
}

TEST_F(ScratchFolder, AFileAnotherProgramHoldsLockedIsLeftAsItWas) {
    const fs::path file = folder / "Tvrn.txt";
    writeFile(file, "earlier\r\n");
    // Opened without sharing, as a program that locks its file does.
    const HANDLE held = CreateFileW(file.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const ReportWrite written = appendSheet(residentialSheet(), file.string());
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, "ファイル「" + file.string() +
                                   "」に書き込めませんでした。\n書き込みが許可されていません。");
    EXPECT_FALSE(readRegularFile(file.string(), 100).ok);
    CloseHandle(held);
    EXPECT_EQ(readFile(file), "earlier\r\n");
}
