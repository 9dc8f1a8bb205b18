// Replacing a whole file on Windows: what belongs to the file (its attributes, its
// alternate streams) stays with it.

#include "platform/ReplaceFile.h"
#include "tests/support/ScratchFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

using namespace tovarin;
using namespace tovarin::testing;

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
