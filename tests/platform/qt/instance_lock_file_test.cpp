#include "platform/qt/instance_lock_file.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <vector>

#include "platform_helper_process.h"
#include "support/temp_dir.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

class InstanceLockFileTest : public ::testing::Test {
protected:
    std::string Dir() const { return dir_.Path().string() + "/"; }
    int AcquireNumber() {
        held_.push_back(AcquireInstanceNumber(Dir()));
        return held_.back() ? held_.back()->Number() : 0;
    }
    // A day before the file system wrote it: the process's clock may be shifted against the file
    // system's, and the age must not depend on the two agreeing.
    void SetAgeToADay(const char* name) const {
        struct stat written {};
        ASSERT_EQ(stat(dir_.File(name).c_str(), &written), 0);
        const timeval dayAgo[2] = {{written.st_mtime - 86400, 0}, {written.st_mtime - 86400, 0}};
        ASSERT_EQ(utimes(dir_.File(name).c_str(), dayAgo), 0);
    }

    test::tTempDir dir_;
    std::vector<std::unique_ptr<tInstanceLock>> held_;
};

TEST_F(InstanceLockFileTest, EachLockTakesTheLowestFreeNumberInTheProgramFolder) {
    EXPECT_EQ(AcquireNumber(), 1);
    EXPECT_EQ(AcquireNumber(), 2);
    EXPECT_EQ(AcquireNumber(), 3);
    EXPECT_TRUE(dir_.Exists("Velocrest_1.lock"));
    EXPECT_TRUE(dir_.Exists("Velocrest_3.lock"));
    held_[1].reset();
    EXPECT_FALSE(dir_.Exists("Velocrest_2.lock"));
    EXPECT_EQ(AcquireNumber(), 2);
    EXPECT_EQ(AcquireNumber(), 4);
}

// The holder runs under its executable's name and under the product's name, as the program may set
// it: both must be seen as alive by the other instances.
TEST_F(InstanceLockFileTest, ANumberHeldByAnotherProcessIsFreeAgainWhenItEnds) {
    for (const QString& name : {QString(), QStringLiteral("Velocrest")}) {
        SCOPED_TRACE(name.toStdString());
        test::tLockHolder holder(Dir(), name);
        ASSERT_EQ(holder.Number(), 1);
        EXPECT_EQ(AcquireNumber(), 2);
        holder.Release();
        EXPECT_FALSE(dir_.Exists("Velocrest_1.lock"));
        EXPECT_EQ(AcquireNumber(), 1);
        held_.clear();
    }
}

TEST_F(InstanceLockFileTest, TheLockOfAKilledProcessIsTakenOver) {
    // The holders start one after the other: started together, either could win number 1.
    test::tLockHolder first(Dir());
    ASSERT_EQ(first.Number(), 1);
    test::tLockHolder second(Dir());
    ASSERT_EQ(second.Number(), 2);
    first.Kill();
    ASSERT_TRUE(dir_.Exists("Velocrest_1.lock"));
    EXPECT_EQ(AcquireNumber(), 1);
    EXPECT_EQ(AcquireNumber(), 3);
}

TEST_F(InstanceLockFileTest, ALongRunningInstanceKeepsItsNumber) {
    test::tLockHolder holder(Dir());
    ASSERT_EQ(holder.Number(), 1);
    // The lock file was written a day ago: its age alone must not hand the number to a newcomer.
    SetAgeToADay("Velocrest_1.lock");
    EXPECT_EQ(AcquireNumber(), 2);
}

TEST_F(InstanceLockFileTest, InstancesStartedTogetherNeverShareANumber) {
    std::vector<std::unique_ptr<test::tLockHolder>> holders;
    for (int i = 0; i < 5; ++i) {
        holders.push_back(std::make_unique<test::tLockHolder>(Dir()));
    }
    std::vector<int> numbers;
    for (auto& holder : holders) {
        numbers.push_back(holder->Number());
    }
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(AcquireNumber(), 6);
}

// A lock file without a process in it is left by a crash while it was being written, or is being
// written right now by an instance starting at the same moment.
TEST_F(InstanceLockFileTest, ALockNamingNoProcessIsTakenOverOnlyWhenOld) {
    struct tCase {
        const char* Name;
        const char* Contents;
        bool Old;
        int Expected;
    };
    const tCase cases[] = {
        {"empty, just written", "", false, 2},
        {"empty, left long ago", "", true, 1},
        {"garbage, left long ago", "not a lock file\n", true, 1},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        dir_.Write("Velocrest_1.lock", c.Contents);
        if (c.Old) {
            SetAgeToADay("Velocrest_1.lock");
        }
        EXPECT_EQ(AcquireNumber(), c.Expected);
        held_.clear();
        fs::remove(dir_.Path() / "Velocrest_1.lock");
    }
}

TEST_F(InstanceLockFileTest, SomethingElseUnderALockNameIsPassedOver) {
    fs::create_directory(dir_.Path() / "Velocrest_1.lock");
    SetAgeToADay("Velocrest_1.lock");
    EXPECT_EQ(AcquireNumber(), 2);
    EXPECT_TRUE(fs::is_directory(dir_.Path() / "Velocrest_1.lock"));
}

TEST_F(InstanceLockFileTest, NoNumberWithoutAFolderOrWhenAllAreTaken) {
    EXPECT_EQ(AcquireInstanceNumber(dir_.File("missing") + "/"), nullptr);
    for (int number = 1; number <= kMaxInstanceNumber; ++number) {
        ASSERT_EQ(AcquireNumber(), number);
    }
    EXPECT_EQ(AcquireInstanceNumber(Dir()), nullptr);
}

} // namespace
} // namespace vc
