// Appending the sheet where only POSIX systems can put the file: a size limit that
// stops the write part-way, a FIFO, a symbolic link, a loop of links.

#include "sheettext/ReportFile.h"
#include "tests/sheettext/ReportFileFixture.h"
#include "tests/sheettext/SheetTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tovarin;
using namespace tovarin::testing;

TEST_F(ScratchFolder, AWriteThatStopsPartWayLeavesNoHalfSheet) {
    const fs::path file = folder / "Tvrn.txt";
    writeFile(file, "earlier\r\n");

    // Let the file grow by 100 bytes only: the write stops inside the sheet.
    struct rlimit previous {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    struct rlimit limited = previous;
    limited.rlim_cur = 9 + 100;
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const ReportWrite written = appendSheet(residentialSheet(), file.string());
    setrlimit(RLIMIT_FSIZE, &previous);
    signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, "ファイル「" + file.string() +
                                   "」に書き込めませんでした。\nファイルが大きすぎます。");
    EXPECT_EQ(readFile(file), "earlier\r\n");
}

TEST_F(ScratchFolder, OnlyARegularFileOrAFreeNameIsWritten) {
    // A FIFO with a reader: writing would not even wait, yet the sheet must not go
    // into it. Without a reader, opening it for writing would wait for ever.
    const fs::path fifo = folder / "fifo.txt";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ReportWrite written = appendSheet(residentialSheet(), fifo.string());
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message, "ファイル「" + fifo.string() +
                                   "」に書き込めませんでした。\n通常のファイルではありません（装置"
                                   "、FIFO、ソケットなど）。");
    char byte = 0;
    EXPECT_LE(::read(reader, &byte, 1), 0); // nothing arrived
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A symbolic link to a regular file is written through.
    const fs::path file = folder / "real.txt";
    writeFile(file, "earlier\r\n");
    fs::create_symlink(file, folder / "Tvrn.txt");
    EXPECT_TRUE(appendSheet(residentialSheet(), (folder / "Tvrn.txt").string()).ok);
    EXPECT_EQ(readFile(file), "earlier\r\n" + sheetText(residentialSheet()).bytes);
    EXPECT_TRUE(fs::is_symlink(folder / "Tvrn.txt"));
}

// A loop of symbolic links is no free name: the report file says why it cannot be
// written.
TEST_F(ScratchFolder, ASymbolicLinkLoopIsRefusedWithItsReason) {
    fs::create_symlink(folder / "b.txt", folder / "Tvrn.txt");
    fs::create_symlink(folder / "Tvrn.txt", folder / "b.txt");
    const ReportWrite written = appendSheet(residentialSheet(), (folder / "Tvrn.txt").string());
    EXPECT_FALSE(written.ok);
    EXPECT_EQ(written.message,
              "ファイル「" + (folder / "Tvrn.txt").string() +
                  "」に書き込めませんでした。\nシンボリックリンクが循環しています。");
    EXPECT_TRUE(fs::is_symlink(folder / "Tvrn.txt"));
}
