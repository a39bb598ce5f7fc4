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
    // Both the unnamed temporary file and the named one that systems without it get.
    for (const bool unnamed : {true, false}) {
        UseUnnamedTemporaryFiles(unnamed);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.Name) + (unnamed ? " (unnamed)" : " (named)"));
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
    UseUnnamedTemporaryFiles(true);
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

TEST_F(AtomicFileTest, FolderAndFileThatRefuseWritesLeaveTheOldFile) {
    fs::create_directory(dir_.Path() / "locked");
    dir_.Write("locked/Velocrest.INI", oldContents_);
    const std::string path = dir_.File("locked/Velocrest.INI");
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);
    const int result = test::RunInReadOnlyFolder(dir_.Path() / "locked", [&] {
        // The child reports both the result and that errno says why.
        return !WriteFileAtomically(path, "new contents") && (errno == EACCES || errno == EPERM);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dir_.Read("locked/Velocrest.INI"), oldContents_);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path() / "locked"), 0);
}

// A folder the user may not create files in, holding a settings file everyone may write.
TEST_F(AtomicFileTest, ReadOnlyFolderWithWritableFileIsRewrittenInPlace) {
    const std::string longer = oldContents_ + std::string(50000, 'o');
    struct tCase {
        const char* Name;
        std::string Old;
        std::string New;
        tInPlace InPlace;
        bool Written;
    } const cases[] = {
        {"shrinks", longer, "[General]\r\nNew=2\r\n", tInPlace::WhenFolderRefuses, true},
        {"grows", oldContents_, longer + "grown", tInPlace::WhenFolderRefuses, true},
        {"empty", oldContents_, "", tInPlace::WhenFolderRefuses, true},
        {"whole new file wanted", oldContents_, "never", tInPlace::Never, false},
    };
    fs::create_directory(dir_.Path() / "locked");
    const std::string path = dir_.File("locked/Velocrest.INI");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        dir_.Write("locked/Velocrest.INI", c.Old);
        ASSERT_EQ(chmod(path.c_str(), 0666), 0);
        const int result = test::RunInReadOnlyFolder(dir_.Path() / "locked", [&] {
            const bool written = WriteFileAtomically(path, c.New, {}, c.InPlace);
            return written == c.Written && (written || errno == EACCES || errno == EPERM);
        });
        EXPECT_EQ(result, 1);
        EXPECT_EQ(dir_.Read("locked/Velocrest.INI"), c.Written ? c.New : c.Old);
        struct stat info {};
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0666u);
        EXPECT_EQ(test::CountTemporaryFiles(dir_.Path() / "locked"), 0);
    }
}

// Every byte a Linux file name may hold, spread over a few names that stay under the name limit
// with room for the temporary file's suffix.
TEST_F(AtomicFileTest, FileNamesWithAnyByteAreWrittenAndCleanedUp) {
    std::string bytes;
    for (int c = 1; c < 256; ++c) {
        if (c != '/') {
            bytes += static_cast<char>(c);
        }
    }
    for (std::size_t from = 0; from < bytes.size(); from += 64) {
        const std::string name = "x" + bytes.substr(from, 64) + ".INI";
        SCOPED_TRACE(from);
        const std::string path = (dir_.Path() / name).string();
        ASSERT_TRUE(WriteFileAtomically(path, "first"));
        ASSERT_TRUE(WriteFileAtomically(path, "second"));
        EXPECT_EQ(test::ReadFileBytes(path), "second");
        // A leftover of a save of this name is recognised as one whatever bytes the name holds.
        dir_.Write(name + ".tmp-Ab3dE9", "leftover");
        EXPECT_EQ(RemoveTemporaryFilesOf(path), 1);
        EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);
    }
    // Too long for any temporary name beside it: the file is still saved, in place.
    const std::string longName = std::string(250, 'n') + ".INI";
    dir_.Write(longName, "old");
    EXPECT_TRUE(WriteFileAtomically(dir_.File(longName), "new"));
    EXPECT_EQ(dir_.Read(longName), "new");
}

TEST_F(AtomicFileTest, RemovesOnlyTheLeftoversOfItsOwnFile) {
    struct tCase {
        const char* Name;
        bool Removed;
    } const cases[] = {
        {"Velocrest.INI.tmp-a1B2c3", true},
        {"Velocrest.INI.tmp-XXXXXX", true},
        {"Velocrest.INI", false},
        {"Velocrest.BCK", false},
        // Another instance's file, and look-alikes that no save makes.
        {"Velocrest_2.INI.tmp-a1B2c3", false},
        {"velocrest.ini.tmp-a1B2c3", false},
        {"xVelocrest.INI.tmp-a1B2c3", false},
        {"Velocrest.INI.tmp-a1B2c", false},
        {"Velocrest.INI.tmp-a1B2c34", false},
        {"Velocrest.INI.tmp-a1B-c3", false},
        {"Velocrest.INI.tmp-a1B2c3.bak", false},
        {"Velocrest.INI.TMP-a1B2c3", false},
    };
    for (const auto& c : cases) {
        dir_.Write(c.Name, c.Name);
    }
    // A folder of a temporary file's name is nobody's leftover.
    fs::create_directory(dir_.Path() / "Velocrest.INI.tmp-Folder");

    EXPECT_EQ(RemoveTemporaryFilesOf(target_), 2);

    for (const auto& c : cases) {
        EXPECT_EQ(dir_.Exists(c.Name), !c.Removed) << c.Name;
    }
    EXPECT_TRUE(fs::is_directory(dir_.Path() / "Velocrest.INI.tmp-Folder"));
}

TEST_F(AtomicFileTest, LeftoversBesideTheTargetOfALinkAreRemovedToo) {
    fs::create_directory(dir_.Path() / "elsewhere");
    dir_.Write("elsewhere/real.INI", oldContents_);
    fs::create_symlink(dir_.Path() / "elsewhere" / "real.INI", target_);
    dir_.Write("elsewhere/real.INI.tmp-Q1w2E3", "leftover");
    dir_.Write("Velocrest.INI.tmp-Q1w2E3", "leftover");

    EXPECT_EQ(RemoveTemporaryFilesOf(target_), 2);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path() / "elsewhere"), 0);
    EXPECT_EQ(dir_.Read("elsewhere/real.INI"), oldContents_);
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
