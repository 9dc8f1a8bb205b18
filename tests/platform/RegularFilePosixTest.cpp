// Reading a whole regular file where a POSIX system has files that only pass as
// regular ones.

#include "platform/RegularFile.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tovarin;

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
