// Text for a Windows console: it arrives as the text itself, whatever the console's
// code page, where the bytes of UTF-8 would show as garbage.

#include "platform/StandardOutput.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using namespace tovarin;

namespace {

// The console's screen, made when the test program has none.
HANDLE consoleScreen() {
    const auto open = [] {
        return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    };
    HANDLE console = open();
    if (console == INVALID_HANDLE_VALUE && AllocConsole())
        console = open();
    return console;
}

} // namespace

TEST(StandardStreamsWindows, ConsoleGetsTheTextInAnyCodePage) {
    HANDLE console = consoleScreen();
    // Run on a terminal (TOVARIN_ON_CONSOLE), a missing console is a fault of the run.
    if (console == INVALID_HANDLE_VALUE && std::getenv("TOVARIN_ON_CONSOLE") == nullptr)
        GTEST_SKIP() << "no console can be made here (wine makes one only on a terminal)";
    ASSERT_NE(console, INVALID_HANDLE_VALUE);
    CONSOLE_SCREEN_BUFFER_INFO before{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(console, &before));
    const UINT codePage = GetConsoleOutputCP();
    SetConsoleOutputCP(437); // a Western console
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    SetStdHandle(STD_OUTPUT_HANDLE, console);
    const bool written = writeStandardOutputText("計算書 ① ㍑\n");
    SetStdHandle(STD_OUTPUT_HANDLE, output);
    SetConsoleOutputCP(codePage);
    ASSERT_TRUE(written);

    // The cells from where the cursor stood: a wide character may take two.
    wchar_t cells[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadConsoleOutputCharacterW(console, cells, 16, before.dwCursorPosition, &read));
    std::wstring shown;
    for (DWORD i = 0; i < read; ++i) {
        if (cells[i] != L' ' && (shown.empty() || shown.back() != cells[i]))
            shown += cells[i];
    }
    EXPECT_EQ(shown.substr(0, 5), L"計算書①㍑");
    CloseHandle(console);
}
