// Appending the sheet on Windows: device names in every form are refused with the
// message of a device on Linux, without being opened, and a file another program
// holds locked is reported and left as it was. A replaced document keeps its
// attributes and alternate streams.

#include "platform/AppendFile.h"
#include "platform/RegularFile.h"
#include "platform/ReplaceFile.h"
#include "platform/WindowsNames.h"
#include "sheettext/ReportFile.h"
#include "tests/sheettext/ReportFileFixture.h"
#include "tests/sheettext/SheetTestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

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

// Replacing a document keeps what belongs to the file: a hidden one stays hidden,
// marked changed (archive); a read-only one is the user's word that it stays as it
// is, and is left alone (as a file of mode 0444 on Linux); a new name is simply made.
TEST_F(ScratchFolder, AReplacedFileKeepsItsAttributes) {
    const std::wstring file = (folder / "document.tvr").wstring();
    writeFile(folder / "document.tvr", "old\r\n");
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(replaceWholeFile((folder / "document.tvr").string(), "new\r\n").written());
    EXPECT_EQ(readFile(folder / "document.tvr"), "old\r\n");

    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(replaceWholeFile((folder / "document.tvr").string(), "new\r\n").written());
    EXPECT_EQ(readFile(folder / "document.tvr"), "new\r\n");
    const DWORD attributes = GetFileAttributesW(file.c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    EXPECT_TRUE(replaceWholeFile((folder / "new.tvr").string(), "made\r\n").written());
    EXPECT_EQ(readFile(folder / "new.tvr"), "made\r\n");
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_NE(entry.path().filename().string().rfind(".tovarin-", 0), 0u) << entry.path();
}

// An alternate data stream of the document (a note another program keeps there, the
// zone a download came from) is still there after the document is replaced.
TEST_F(ScratchFolder, AReplacedFileKeepsItsAlternateStreams) {
    writeFile(folder / "document.tvr", "old\r\n");
    const std::wstring stream = (folder / "document.tvr").wstring() + L":Zone.Identifier";
    HANDLE handle = CreateFileW(stream.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        GTEST_SKIP() << "this file system keeps no alternate streams (wine on a Linux one)";
    const char zone[] = "[ZoneTransfer]\r\nZoneId=3\r\n";
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(handle, zone, sizeof zone - 1, &written, nullptr));
    CloseHandle(handle);
    // Wine on a Linux file system makes a file named "document.tvr:Zone.Identifier"
    // beside it instead: no stream of the document's own to keep.
    WIN32_FIND_STREAM_DATA found{};
    const HANDLE streams = FindFirstStreamW((folder / "document.tvr").wstring().c_str(),
                                            FindStreamInfoStandard, &found, 0);
    bool named = false;
    if (streams != INVALID_HANDLE_VALUE) {
        do
            named = named || std::wstring(found.cStreamName) == L":Zone.Identifier:$DATA";
        while (FindNextStreamW(streams, &found));
        FindClose(streams);
    }
    if (!named)
        GTEST_SKIP() << "this file system keeps no alternate streams (wine on a Linux one)";

    EXPECT_TRUE(replaceWholeFile((folder / "document.tvr").string(), "new\r\n").written());
    EXPECT_EQ(readFile(folder / "document.tvr"), "new\r\n");
    handle = CreateFileW(stream.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "the stream is gone";
    char kept[64] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(handle, kept, sizeof kept, &read, nullptr));
    CloseHandle(handle);
    EXPECT_EQ(std::string(kept, read), std::string(zone));
}
