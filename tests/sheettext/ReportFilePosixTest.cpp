// Appending the sheet where only POSIX systems can put the file: a size limit that
// stops the write part-way, a FIFO, a symbolic link, another writer on the same file.

#include "platform/AppendFile.h"
#include "platform/RegularFile.h"
#include "platform/ReplaceFile.h"
#include "sheettext/ReportFile.h"
#include "tests/sheettext/ReportFileFixture.h"
#include "tests/sheettext/SheetTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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

TEST_F(ScratchFolder, TakingBackAFailedAppendSparesWhatOthersAppended) {
    const fs::path file = folder / "Tvrn.txt";
    writeFile(file, "earlier\r\n");
    const auto appendOurs = [&](int fd) {
        AppendedBytes ours;
        ours.length = 4;
        EXPECT_EQ(::write(fd, "ours", 4), 4);
        ours.start = ::lseek(fd, 0, SEEK_CUR) - 4;
        ours.error = ENOSPC;
        return ours;
    };

    // Our bytes are still the end of the file: they go.
    int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
    AppendedBytes ours = appendOurs(fd);
    EXPECT_TRUE(takeBackAppended(fd, ours));
    EXPECT_EQ(readFile(file), "earlier\r\n");

    // Another program appended after them: the file is left alone.
    ours = appendOurs(fd);
    {
        std::ofstream other(file, std::ios::binary | std::ios::app);
        other << "theirs\r\n";
    }
    EXPECT_FALSE(takeBackAppended(fd, ours));
    EXPECT_EQ(readFile(file), "earlier\r\nourstheirs\r\n");

    // Their bytes came between two pieces of ours.
    ours = appendOurs(fd);
    ours.contiguous = false;
    EXPECT_FALSE(takeBackAppended(fd, ours));
    EXPECT_EQ(readFile(file), "earlier\r\nourstheirs\r\nours");
    ::close(fd);
}

// /proc/kmsg passes as a regular file, yet once drained its read waits for the next
// kernel message. The read must give up instead; the child's alarm ends a read that
// waits. Only root may open it, and the test drains the messages pending there.
TEST(RegularRead, AFileThatWouldKeepTheReadWaitingIsGivenUp) {
    const int probe = ::open("/proc/kmsg", O_RDONLY | O_NONBLOCK);
    if (probe < 0)
        GTEST_SKIP() << "/proc/kmsg cannot be opened here";
    ::close(probe);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        alarm(10);
        const RegularRead read = readRegularFile("/proc/kmsg", 4 * 1024 * 1024);
        _exit(!read.ok && read.error == EAGAIN ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

// Replacing a file keeps what the file was: its mode and, where the process may
// (root), its owner and group.
TEST_F(ScratchFolder, AReplacedFileKeepsItsModeAndOwner) {
    const fs::path file = folder / "document.tvr";
    writeFile(file, "old\r\n");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(file.c_str(), 1234, 5678), 0);
    }

    EXPECT_TRUE(replaceWholeFile(file.string(), "new\r\n").written());
    EXPECT_EQ(readFile(file), "new\r\n");
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(status.st_uid, 1234u);
        EXPECT_EQ(status.st_gid, 5678u);
    }
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
