// Taking back an append that failed part-way: only while our bytes are still the
// end of the file, so that what another program appended is never cut.

#include "platform/AppendFile.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

using namespace tovarin;
using namespace tovarin::testing;

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
