#include "platform/qt/desktop_platform_factory.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "platform/desktop_entry.h"
#include "platform/qt/desktop_processes.h"
#include "platform_helper_process.h"
#include "support/fake_environment.h"
#include "support/temp_dir.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

constexpr int kHangGuardMs = 20000;

// Sets an environment variable for the test's life.
class tScopedVariable {
public:
    tScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        setenv(name, value.c_str(), 1);
    }
    ~tScopedVariable() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class DesktopPlatformTest : public ::testing::Test {
protected:
    // The helper writes its report through a temporary file, so a report that exists is complete.
    std::string WaitForReport(const std::string& name) {
        const fs::path path = dir_.Path() / name;
        EXPECT_TRUE(QTest::qWaitFor([&path] { return fs::exists(path); }, kHangGuardMs)) << name;
        return dir_.Read(name);
    }
    std::string Helper() const { return QFile::encodeName(test::PlatformHelperPath()).toStdString(); }

    test::tTempDir dir_;
};

TEST_F(DesktopPlatformTest, StartedProgramGetsItsArgumentsAsGivenAndOurEnvironment) {
    const tScopedVariable mark("VELOCREST_TEST_MARK", "from the parent");
    const std::vector<std::string> arguments = {
        "report", dir_.File("report.txt"), "two words", "it's \"quoted\"", "%f", "$HOME", "a;b|c"};
    ASSERT_TRUE(StartProgram(Helper(), arguments));
    EXPECT_EQ(WaitForReport("report.txt"), "two words\nit's \"quoted\"\n%f\n$HOME\na;b|c\nfrom the parent\n");
}

TEST_F(DesktopPlatformTest, AProgramThatIsNotThereIsNotStarted) {
    EXPECT_FALSE(StartProgram(dir_.File("no-such-program"), {}));
    EXPECT_FALSE(StartProgram("", {}));
}

TEST_F(DesktopPlatformTest, DesktopToolsAreFoundInThePath) {
    const tScopedVariable path("PATH", QFileInfo(test::PlatformHelperPath()).absolutePath().toStdString());
    const std::string tool = QFileInfo(test::PlatformHelperPath()).fileName().toStdString();
    RunDesktopTool(tool, {"report", dir_.File("tool.txt"), dir_.File("mime")});
    EXPECT_EQ(WaitForReport("tool.txt"), dir_.File("mime") + "\n\n");
}

TEST_F(DesktopPlatformTest, ThePlatformWritesOnlyBelowTheFoldersItWasGiven) {
    // No database tool is found, so none outlives the test's folder.
    fs::create_directory(dir_.Path() / "no-tools");
    const tScopedVariable path("PATH", dir_.File("no-tools"));
    const tEnvLookup env = test::FakeEnvironment({{"HOME", dir_.Path().string()}});
    const std::unique_ptr<tDesktopPlatform> platform = CreateDesktopPlatform(env);
    const std::string exe = platform->ExecutablePath();
    EXPECT_EQ(exe, QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
    EXPECT_TRUE(fs::is_regular_file(exe));

    EXPECT_FALSE(platform->AutostartEnabled());
    ASSERT_TRUE(platform->EnableAutostart(exe));
    EXPECT_TRUE(platform->AutostartEnabled());
    EXPECT_TRUE(dir_.Exists(".config/autostart/velocrest.desktop"));

    const tFileTypeResult registered = platform->RegisterFileType(exe);
    EXPECT_TRUE(registered.MimePackageWritten && registered.ApplicationEntryWritten);
    EXPECT_FALSE(registered.Failed);
    EXPECT_EQ(dir_.Read(".local/share/applications/velocrest.desktop"), *ApplicationEntryText(exe));

    const tFileTypeResult again = platform->RegisterFileType(exe);
    EXPECT_FALSE(again.MimePackageWritten || again.ApplicationEntryWritten || again.Failed);

    std::unique_ptr<tInstanceLock> lock = platform->AcquireInstanceNumber(dir_.Path().string() + "/");
    ASSERT_NE(lock, nullptr);
    EXPECT_EQ(lock->Number(), 1);
}

// The shared-mime-info tool, where installed, accepts our package and files our pattern. It runs
// here to its end, so that nothing writes into the test's folder after the test.
TEST_F(DesktopPlatformTest, TheMimeDatabaseLearnsOurPattern) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty()) {
        GTEST_SKIP() << "update-mime-database is not installed";
    }
    const tDesktopFilePaths paths =
        DesktopFilePathsFor(test::FakeEnvironment({{"HOME", dir_.Path().string()}}));
    std::vector<std::string> mimeArguments;
    const tFileTypeResult result =
        RegisterFileType(paths, "/usr/bin/velocrest",
                         [&](const std::string& program, const std::vector<std::string>& arguments) {
                             if (program == "update-mime-database") {
                                 mimeArguments = arguments;
                             }
                         });
    ASSERT_TRUE(result.MimePackageWritten);
    ASSERT_EQ(mimeArguments, std::vector<std::string>{paths.MimeDir});
    QProcess update;
    update.start(tool, {QFile::decodeName(QByteArray::fromStdString(mimeArguments[0]))});
    ASSERT_TRUE(update.waitForFinished(kHangGuardMs));
    EXPECT_EQ(update.exitCode(), 0) << update.readAllStandardError().toStdString();
    EXPECT_NE(test::ReadFileBytes(dir_.Path() / ".local/share/mime/globs2")
                  .find(std::string(kMimeTypeName) + ":*.velocrest"),
              std::string::npos);
}

} // namespace
} // namespace vc
