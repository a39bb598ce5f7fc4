#include "toolkit/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "support/failing_writer.h"
#include "support/temp_dir.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
protected:
    test::tTempDir dir_;
    const std::string target_ = dir_.File("Velocrest.INI");
    const std::string oldContents_ = "[General]\r\nOld=1\r\n";
};

TEST_F(AtomicFileTest, ReplacesTheWholeFileAndKeepsItsPermissions) {
    dir_.Write("Velocrest.INI", oldContents_ + std::string(100000, 'x'));
    ASSERT_EQ(chmod(target_.c_str(), 0640), 0);

    ASSERT_TRUE(WriteFileAtomically(target_, "new"));

    EXPECT_EQ(dir_.Read("Velocrest.INI"), "new");
    struct stat info {};
    ASSERT_EQ(stat(target_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);
}

TEST_F(AtomicFileTest, NewFileGetsTheUmaskPermissions) {
    const mode_t old = umask(027);
    const bool written = WriteFileAtomically(target_, "");
    umask(old);
    ASSERT_TRUE(written);
    EXPECT_TRUE(dir_.Exists("Velocrest.INI"));
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "");
    struct stat info {};
    ASSERT_EQ(stat(target_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// Writers that misbehave the way a real disk or a signal can.
TEST_F(AtomicFileTest, WriteLoopCopesWithShortWritesAndFailsCleanlyOnErrors) {
    const std::string big(120000, 'b');
    struct tCase {
        const char* Name;
        std::size_t Allow; // bytes the disk takes before it is full
        std::size_t Chunk; // most bytes a single write takes
        int Error;
        bool Succeeds;
    };
    const tCase cases[] = {
        {"full part-way", big.size() / 2, 4096, ENOSPC, false},
        {"full at once", 0, 4096, ENOSPC, false},
        {"full one byte short", big.size() - 1, 65536, ENOSPC, false},
        {"quota", 1000, 4096, EDQUOT, false},
        {"one byte per write", big.size(), 1, ENOSPC, true},
        {"exactly enough room", big.size(), 65536, ENOSPC, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        dir_.Write("Velocrest.INI", oldContents_);
        test::tFullDiskWriter disk(c.Allow, c.Error, c.Chunk);
        errno = 0;
        const bool written = WriteFileAtomically(target_, big, disk.Fn());
        const int error = errno;
        EXPECT_EQ(written, c.Succeeds);
        EXPECT_EQ(dir_.Read("Velocrest.INI"), c.Succeeds ? big : oldContents_);
        if (!c.Succeeds) {
            EXPECT_EQ(error, c.Error);
            EXPECT_GT(disk.Failures(), 0);
        }
        EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);
    }
}

TEST_F(AtomicFileTest, InterruptedWritesAreRetriedAndStalledOnesFail) {
    dir_.Write("Velocrest.INI", oldContents_);
    int interruptions = 0;
    const tWriteFn interrupted = [&](int fd, const char* data, std::size_t size) -> ssize_t {
        if (interruptions++ < 3) {
            errno = EINTR;
            return -1;
        }
        return ::write(fd, data, size);
    };
    EXPECT_TRUE(WriteFileAtomically(target_, "after signals", interrupted));
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "after signals");

    const tWriteFn stalled = [](int, const char*, std::size_t) -> ssize_t { return 0; };
    EXPECT_FALSE(WriteFileAtomically(target_, "never", stalled));
    EXPECT_EQ(errno, ENOSPC);
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "after signals");
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);
}

TEST_F(AtomicFileTest, FolderThatRefusesWritesLeavesTheOldFile) {
    fs::create_directory(dir_.Path() / "locked");
    dir_.Write("locked/Velocrest.INI", oldContents_);
    const std::string path = dir_.File("locked/Velocrest.INI");
    const int result = test::RunInReadOnlyFolder(dir_.Path() / "locked", [&] {
        // The child reports both the result and that errno says why.
        return !WriteFileAtomically(path, "new contents") && (errno == EACCES || errno == EPERM);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dir_.Read("locked/Velocrest.INI"), oldContents_);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path() / "locked"), 0);
}

TEST_F(AtomicFileTest, MissingFolderOrFolderAsTargetFails) {
    EXPECT_FALSE(WriteFileAtomically(dir_.File("no/such/folder/file.INI"), "x"));
    fs::create_directory(dir_.Path() / "Velocrest.INI");
    EXPECT_FALSE(WriteFileAtomically(target_, "x"));
    EXPECT_TRUE(fs::is_directory(target_));
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);
}

TEST_F(AtomicFileTest, SymbolicLinkStaysAndItsTargetChanges) {
    fs::create_directory(dir_.Path() / "elsewhere");
    dir_.Write("elsewhere/real.INI", oldContents_);
    fs::create_symlink(dir_.Path() / "elsewhere" / "real.INI", target_);

    ASSERT_TRUE(WriteFileAtomically(target_, "through the link"));

    EXPECT_TRUE(fs::is_symlink(target_));
    EXPECT_EQ(dir_.Read("elsewhere/real.INI"), "through the link");
}

TEST_F(AtomicFileTest, ReadFileLimitedTellsWholeCutMissingAndNonFiles) {
    dir_.Write("ten.txt", "0123456789");
    fs::create_directory(dir_.Path() / "folder");
    ASSERT_EQ(mkfifo(dir_.File("pipe").c_str(), 0600), 0);
    struct tCase {
        std::string Path;
        std::size_t Limit;
        tReadResult Result;
        std::string Bytes;
    };
    const tCase cases[] = {
        {dir_.File("ten.txt"), 100, tReadResult::Ok, "0123456789"},
        {dir_.File("ten.txt"), 10, tReadResult::Ok, "0123456789"},
        {dir_.File("ten.txt"), 9, tReadResult::Truncated, "012345678"},
        {dir_.File("ten.txt"), 0, tReadResult::Truncated, ""},
        {dir_.File("absent.txt"), 100, tReadResult::Missing, ""},
        {dir_.File("folder"), 100, tReadResult::Failed, ""},
        // Neither waits for a writer nor reads for ever.
        {dir_.File("pipe"), 100, tReadResult::Failed, ""},
        {"/dev/zero", 100, tReadResult::Failed, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path + " limit " + std::to_string(c.Limit));
        std::string bytes = "stale";
        EXPECT_EQ(ReadFileLimited(c.Path, c.Limit, bytes), c.Result);
        EXPECT_EQ(bytes, c.Bytes);
    }
}

TEST_F(AtomicFileTest, ReadFileLimitedReadsFilesLargerThanOneBuffer) {
    std::string big;
    for (int i = 0; i < 200000; ++i) {
        big += static_cast<char>(i * 7);
    }
    dir_.Write("big.bin", big);
    std::string bytes;
    EXPECT_EQ(ReadFileLimited(dir_.File("big.bin"), big.size(), bytes), tReadResult::Ok);
    EXPECT_EQ(bytes, big);
    EXPECT_EQ(ReadFileLimited(dir_.File("big.bin"), 150001, bytes), tReadResult::Truncated);
    EXPECT_EQ(bytes, big.substr(0, 150001));
}

} // namespace
} // namespace vc
