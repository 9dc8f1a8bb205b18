// Replacing a whole file where only POSIX systems have the thing in the way: read-only
// files, files of another user (written in place), access control lists and extended
// attributes, hard links, symbolic links whose file is missing, folders where no file
// can be made or that cannot be read, temporary files of a save that was killed. The
// tests run as root; what an ordinary user meets runs in a child process that has
// become "nobody".

#include "platform/FileErrors.h"
#include "platform/ReplaceFile.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace tovarin;
using namespace tovarin::testing;

namespace {

constexpr uid_t nobody = 65534;
constexpr gid_t nogroup = 65534;

// Runs `body` in a child process as the user nobody, a member of `groups` besides
// nogroup; its exit status, or -1.
int asNobody(const std::function<int()>& body, const std::vector<gid_t>& groups = {}) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(nogroup) != 0 ||
            ::setuid(nobody) != 0)
            ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// What a refused write in the child reports, as an exit status.
int refusalCode(const WholeFileResult& result) {
    if (result.written())
        return 0;
    if (result.refusal != WholeFileRefusal::None)
        return 10 + static_cast<int>(result.refusal);
    return result.error == EACCES ? 2 : 3;
}

std::vector<std::string> temporaryFilesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(temporaryFilePrefix))
            names.push_back(name);
    }
    return names;
}

// An access control list as the system stores it (system.posix_acl_access): the
// owner, one named user, the owning group, the mask and others.
std::string accessControlList(uint16_t user, uint32_t namedUser, uint16_t named, uint16_t group,
                              uint16_t mask, uint16_t other) {
    std::string bytes;
    const auto put = [&](uint64_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto entry = [&](uint16_t tag, uint16_t permissions, uint32_t id) {
        put(tag, 2);
        put(permissions, 2);
        put(id, 4);
    };
    put(2, 4); // version
    entry(0x01, user, 0xFFFFFFFF);
    entry(0x02, named, namedUser);
    entry(0x04, group, 0xFFFFFFFF);
    entry(0x10, mask, 0xFFFFFFFF);
    entry(0x20, other, 0xFFFFFFFF);
    return bytes;
}

std::optional<std::string> attribute(const fs::path& file, const char* name) {
    char value[4096];
    const ssize_t size = ::getxattr(file.c_str(), name, value, sizeof value);
    if (size < 0)
        return std::nullopt;
    return std::string(value, static_cast<size_t>(size));
}

// Whether the message for a refusal has `words` in it.
bool says(WholeFileRefusal refusal, std::string_view words) {
    const char* reason = wholeFileRefusalReason(refusal);
    return reason && std::string_view(reason).find(words) != std::string_view::npos;
}

mode_t modeOf(const fs::path& file) {
    struct stat status {};
    ::stat(file.c_str(), &status);
    return status.st_mode & 07777;
}

} // namespace

class ReplaceFileTest : public ScratchFolder {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
        document = folder / "keep.tvr";
        writeFile(document, "old\r\n");
    }

    WholeFileResult replace(const fs::path& file, std::string_view bytes = "new\r\n") {
        return replaceWholeFile(file.string(), bytes);
    }

    static fs::path copyOf(const fs::path& file) {
        return file.string() + std::string(inPlaceCopySuffix);
    }

    // The file written in place: new bytes, the same owner, group and mode, and neither
    // the copy of its old contents nor a temporary file left.
    void expectInPlace(const fs::path& file, uid_t owner, gid_t group, mode_t mode) {
        EXPECT_EQ(readFile(file), "new\r\n");
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0);
        EXPECT_EQ(status.st_uid, owner);
        EXPECT_EQ(status.st_gid, group);
        EXPECT_EQ(status.st_mode & 07777, mode);
        EXPECT_FALSE(fs::exists(copyOf(file)));
        EXPECT_TRUE(temporaryFilesIn(folder).empty());
    }

    fs::path document;
};

TEST_F(ReplaceFileTest, AFileTheUserMayNotWriteIsLeftAsItWas) {
    // Read-only for everyone: even the administrator, whom the system lets pass, is
    // refused, as the file's owner asked.
    ASSERT_EQ(::chmod(document.c_str(), 0444), 0);
    const WholeFileResult mine = replace(document);
    EXPECT_EQ(mine.outcome, WholeFileWrite::Failed);
    EXPECT_EQ(mine.error, EACCES);
    EXPECT_STREQ(fileErrorReason(mine.error), "書き込みが許可されていません。");
    EXPECT_EQ(readFile(document), "old\r\n");

    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can become another user";
    // Another user's read-only file in a folder everyone may write: it must not
    // become that user's file.
    EXPECT_EQ(asNobody([&] { return refusalCode(replace(document)); }), 2);
    struct stat status {};
    ASSERT_EQ(::stat(document.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 0u);
    EXPECT_EQ(readFile(document), "old\r\n");

    // A file its owner may write but not read is written all the same.
    const fs::path writeOnly = folder / "write-only.pdf";
    writeFile(writeOnly, "old");
    ASSERT_EQ(::chown(writeOnly.c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chmod(writeOnly.c_str(), 0200), 0);
    EXPECT_EQ(asNobody([&] { return refusalCode(replace(writeOnly)); }), 0);
    EXPECT_EQ(readFile(writeOnly), "new\r\n");
    EXPECT_EQ(modeOf(writeOnly), 0200u);
}

TEST_F(ReplaceFileTest, AFileWhoseOwnerANewFileCannotKeepIsWrittenInPlace) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can become another user";
    // Another user's file that everyone may write: written, and still that user's.
    ASSERT_EQ(::chmod(document.c_str(), 0666), 0);
    EXPECT_EQ(asNobody([&] { return refusalCode(replace(document)); }), 0);
    expectInPlace(document, 0, 0, 0666);

    // One that can be written but not read: no copy of the old contents can be made,
    // so it stays as it was, and the message says what to do instead.
    const fs::path unreadable = folder / "unreadable.tvr";
    writeFile(unreadable, "old\r\n");
    ASSERT_EQ(::chmod(unreadable.c_str(), 0222), 0);
    EXPECT_EQ(asNobody([&] { return refusalCode(replace(unreadable)); }),
              10 + static_cast<int>(WholeFileRefusal::OwnerNotKept));
    EXPECT_EQ(readFile(unreadable), "old\r\n");
    EXPECT_TRUE(temporaryFilesIn(folder).empty());
    EXPECT_FALSE(fs::exists(copyOf(unreadable)));
    EXPECT_TRUE(
        says(WholeFileRefusal::OwnerNotKept, "名前を付けて保存で別の名前に保存してください。"));

    // The administrator replaces a user's file, which stays the user's.
    ASSERT_EQ(::chown(document.c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chmod(document.c_str(), 0640), 0);
    ASSERT_TRUE(replace(document).written());
    struct stat status {};
    ASSERT_EQ(::stat(document.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, nobody);
    EXPECT_EQ(status.st_gid, nogroup);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

// A team's folder (setgid, group-writable) holding a colleague's document: a member of
// the group saves over it, and it stays the colleague's, with the team's group.
TEST_F(ReplaceFileTest, ATeamMemberSavesOverAColleaguesDocument) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can become another user";
    constexpr uid_t colleague = 4243;
    constexpr gid_t team = 4242;
    ASSERT_EQ(::chown(folder.c_str(), 0, team), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 02775), 0);
    ASSERT_EQ(::chown(document.c_str(), colleague, team), 0);
    ASSERT_EQ(::chmod(document.c_str(), 0664), 0);
    EXPECT_EQ(asNobody([&] { return refusalCode(replace(document)); }, {team}), 0);
    expectInPlace(document, colleague, team, 0664);
}

TEST_F(ReplaceFileTest, AccessControlListAndExtendedAttributesAreKept) {
    // rw- for the owner and for nobody, r-- for the group, a mask of rw-.
    const std::string list = accessControlList(06, nobody, 06, 04, 06, 0);
    if (::setxattr(document.c_str(), "system.posix_acl_access", list.data(), list.size(), 0) != 0 ||
        ::setxattr(document.c_str(), "user.project", "A-12", 4, 0) != 0)
        GTEST_SKIP() << "the file system here has no access control lists or user attributes";
    const mode_t before = modeOf(document);

    ASSERT_TRUE(replace(document).written());
    EXPECT_EQ(readFile(document), "new\r\n");
    EXPECT_EQ(attribute(document, "system.posix_acl_access"), list);
    EXPECT_EQ(attribute(document, "user.project"), std::optional<std::string>("A-12"));
    EXPECT_EQ(modeOf(document), before); // the group has its r--, no more

    // A folder whose default list would give every new file more than the old one
    // had: the replacing file gets only what the old one had.
    const fs::path plain = folder / "plain.tvr";
    writeFile(plain, "old\r\n");
    ASSERT_EQ(::chmod(plain.c_str(), 0600), 0);
    const std::string wide = accessControlList(07, nobody, 07, 07, 07, 07);
    ASSERT_EQ(::setxattr(folder.c_str(), "system.posix_acl_default", wide.data(), wide.size(), 0),
              0);
    ASSERT_TRUE(replace(plain).written());
    EXPECT_EQ(attribute(plain, "system.posix_acl_access"), std::nullopt);
    EXPECT_EQ(modeOf(plain), 0600u);
}

TEST_F(ReplaceFileTest, AFileWithASecondNameIsWrittenInPlace) {
    const fs::path second = folder / "second.tvr";
    ASSERT_EQ(::link(document.c_str(), second.c_str()), 0);
    ASSERT_TRUE(replace(document).written());
    EXPECT_EQ(readFile(document), "new\r\n");
    EXPECT_EQ(readFile(second), "new\r\n");
    EXPECT_EQ(fs::hard_link_count(document), 2u);
    EXPECT_FALSE(fs::exists(copyOf(document)));
    EXPECT_TRUE(temporaryFilesIn(folder).empty());

    // A copy left by an interrupted write is the user's to look at: never overwritten.
    writeFile(copyOf(document), "earlier\r\n");
    const WholeFileResult refused = replace(document, "newer\r\n");
    EXPECT_EQ(refused.refusal, WholeFileRefusal::CopyLeftOver);
    EXPECT_TRUE(says(refused.refusal, "「.tovarin-old」"));
    EXPECT_EQ(readFile(second), "new\r\n");
    EXPECT_EQ(readFile(copyOf(document)), "earlier\r\n");
}

// A write in place that stops half-way: the old contents are put back from the copy
// when the process lives on, and are in the copy when it is killed.
TEST_F(ReplaceFileTest, AWriteInPlaceThatFailsLeavesTheOldContents) {
    ASSERT_EQ(::link(document.c_str(), (folder / "second.tvr").c_str()), 0);
    const auto writeOverLimit = [&](void (*onLimit)(int)) {
        const pid_t child = ::fork();
        if (child == 0) {
            struct rlimit limit {
                1000, 1000
            };
            ::signal(SIGXFSZ, onLimit);
            ::setrlimit(RLIMIT_FSIZE, &limit);
            const WholeFileResult result = replace(document, std::string(100000, 'x'));
            ::_exit(result.outcome == WholeFileWrite::Short && result.error == EFBIG &&
                            result.refusal == WholeFileRefusal::None
                        ? 0
                        : 1);
        }
        int status = 0;
        return ::waitpid(child, &status, 0) == child ? status : -1;
    };

    const int failed = writeOverLimit(SIG_IGN);
    ASSERT_TRUE(WIFEXITED(failed));
    EXPECT_EQ(WEXITSTATUS(failed), 0);
    EXPECT_EQ(readFile(document), "old\r\n");
    EXPECT_FALSE(fs::exists(copyOf(document)));

    const int killed = writeOverLimit(SIG_DFL);
    ASSERT_TRUE(WIFSIGNALED(killed));
    EXPECT_EQ(WTERMSIG(killed), SIGXFSZ);
    EXPECT_EQ(readFile(copyOf(document)), "old\r\n");
}

TEST_F(ReplaceFileTest, ALinkWhoseFileIsMissingGetsItMade) {
    const fs::path link = folder / "link.tvr";
    fs::create_symlink("made.tvr", link);
    ASSERT_TRUE(replace(link).written());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(folder / "made.tvr"), "new\r\n");

    // Through two links, the second one absolute.
    const fs::path outer = folder / "outer.tvr";
    fs::create_symlink(folder / "inner.tvr", outer);
    fs::create_symlink("deep.tvr", folder / "inner.tvr");
    ASSERT_TRUE(replace(outer).written());
    EXPECT_TRUE(fs::is_symlink(outer));
    EXPECT_TRUE(fs::is_symlink(folder / "inner.tvr"));
    EXPECT_EQ(readFile(folder / "deep.tvr"), "new\r\n");

    // A link into a folder that does not exist: nothing is made, the link stays.
    const fs::path lost = folder / "lost.tvr";
    fs::create_symlink("missing/file.tvr", lost);
    const WholeFileResult result = replace(lost);
    EXPECT_FALSE(result.written());
    EXPECT_EQ(result.error, ENOENT);
    EXPECT_TRUE(fs::is_symlink(lost));
}

TEST_F(ReplaceFileTest, AFolderWhereNoFileCanBeMadeIsNamedAsTheReason) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can become another user";
    ASSERT_EQ(::chown(document.c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    EXPECT_EQ(asNobody([&] { return refusalCode(replace(document)); }),
              10 + static_cast<int>(WholeFileRefusal::NoNewFileInFolder));
    EXPECT_EQ(readFile(document), "old\r\n");
    EXPECT_STREQ(wholeFileRefusalReason(WholeFileRefusal::NoNewFileInFolder),
                 "このフォルダには新しいファイルを作れません（フォルダへの書き込みが許可されていま"
                 "せん）。");
}

TEST_F(ReplaceFileTest, ASaveKilledHalfWayLeavesNoTemporaryFile) {
    // The size limit's signal kills the child in the middle of the write.
    const pid_t child = ::fork();
    if (child == 0) {
        struct rlimit limit {
            1000, 1000
        };
        ::signal(SIGXFSZ, SIG_DFL);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        replace(document, std::string(100000, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
    EXPECT_EQ(readFile(document), "old\r\n");
    EXPECT_TRUE(temporaryFilesIn(folder).empty());
}

// A folder the user may write and search but not read (a drop box): the file is saved,
// and the folder that cannot be opened to sync it is no failure.
TEST_F(ReplaceFileTest, AFolderThatCannotBeReadStillTakesTheSave) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the administrator can become another user";
    const fs::path dropped = folder / "dropped.pdf";
    writeFile(dropped, "old");
    ASSERT_EQ(::chown(dropped.c_str(), nobody, nogroup), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0703), 0);
    for (const fs::path& file : {folder / "new.pdf", dropped}) {
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(asNobody([&] { return refusalCode(replace(file)); }), 0);
        EXPECT_EQ(readFile(file), "new\r\n");
    }
}

TEST_F(ReplaceFileTest, OnlyUnlockedTemporaryFilesOfThisProgramAreRemoved) {
    const auto make = [&](const std::string& name) {
        writeFile(folder / name, "left");
        const struct timeval then[2] = {{std::time(nullptr) - 3600, 0},
                                        {std::time(nullptr) - 3600, 0}};
        ::utimes((folder / name).c_str(), then);
    };
    const std::string killed = temporaryFileName("abC123");  // a killed save's
    const std::string running = temporaryFileName("xyz789"); // a save's still writing
    const std::vector<std::string> kept = {
        ".tovarin-backup",    // the user's own, of the prefix and the length drawn
        ".tovarin-abcdefghi", // the whole length, but its last letters no check
        running,
    };
    make(killed);
    for (const std::string& name : kept)
        make(name);
    const int held = ::open((folder / running).c_str(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(replace(document).written());
    EXPECT_FALSE(fs::exists(folder / killed));
    for (const std::string& name : kept)
        EXPECT_TRUE(fs::exists(folder / name)) << name;
    EXPECT_EQ(readFile(folder / ".tovarin-backup"), "left");

    // Once the save holding it has ended, it is a killed save's too.
    ::close(held);
    ASSERT_TRUE(replace(document).written());
    EXPECT_FALSE(fs::exists(folder / running));
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
