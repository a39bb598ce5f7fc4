#include "platform/desktop_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/desktop_entry.h"
#include "support/fake_environment.h"
#include "support/temp_dir.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

struct tToolCall {
    std::string Program;
    std::vector<std::string> Arguments;
    bool operator==(const tToolCall&) const = default;
};

class DesktopFilesTest : public ::testing::Test {
protected:
    tDesktopFilePaths Paths() const {
        return DesktopFilePathsFor(test::FakeEnvironment({{"HOME", home_.Path().string()}}));
    }
    tDesktopToolRunner Recorder() {
        return [this](const std::string& program, const std::vector<std::string>& arguments) {
            calls_.push_back({program, arguments});
        };
    }
    // A stamp that changes whenever the file is replaced or rewritten.
    static std::pair<ino_t, std::string> Stamp(const std::string& path) {
        struct stat info {};
        EXPECT_EQ(stat(path.c_str(), &info), 0) << path;
        return {info.st_ino, test::ReadFileBytes(path)};
    }

    test::tTempDir home_;
    std::vector<tToolCall> calls_;
    const std::string exe_ = "/opt/My Apps/velocrest";
};

TEST_F(DesktopFilesTest, PathsFollowTheBaseFolders) {
    const tDesktopFilePaths paths =
        DesktopFilePathsFor(test::FakeEnvironment({{"HOME", "/h"}, {"XDG_CONFIG_HOME", "/cfg"}}));
    EXPECT_EQ(paths.AutostartEntry, "/cfg/autostart/velocrest.desktop");
    EXPECT_EQ(paths.ApplicationEntry, "/h/.local/share/applications/velocrest.desktop");
    EXPECT_EQ(paths.ApplicationsDir, "/h/.local/share/applications");
    EXPECT_EQ(paths.MimeDir, "/h/.local/share/mime");
    EXPECT_EQ(paths.MimePackage, "/h/.local/share/mime/packages/velocrest.xml");
}

TEST_F(DesktopFilesTest, AutostartEntryRoundTrip) {
    const tDesktopFilePaths paths = Paths();
    EXPECT_FALSE(AutostartEntryExists(paths));

    ASSERT_TRUE(WriteAutostartEntry(paths, exe_));
    EXPECT_TRUE(AutostartEntryExists(paths));
    const std::string text = test::ReadFileBytes(paths.AutostartEntry);
    const std::optional<std::string> exec = DesktopEntryValue(text, "Exec");
    ASSERT_TRUE(exec.has_value());
    EXPECT_EQ(FirstExecArgument(*exec), exe_);

    // Written again for another executable, the entry follows it.
    ASSERT_TRUE(WriteAutostartEntry(paths, "/usr/bin/velocrest"));
    EXPECT_EQ(FirstExecArgument(*DesktopEntryValue(test::ReadFileBytes(paths.AutostartEntry), "Exec")),
              "/usr/bin/velocrest");
}

TEST_F(DesktopFilesTest, AutostartFailuresLeaveTheOldEntry) {
    const tDesktopFilePaths paths = Paths();
    ASSERT_TRUE(WriteAutostartEntry(paths, exe_));
    const auto before = Stamp(paths.AutostartEntry);

    EXPECT_FALSE(WriteAutostartEntry(paths, "/opt/line\nbreak"));
    EXPECT_EQ(Stamp(paths.AutostartEntry), before);

    // A folder where the entry should be cannot be replaced.
    tDesktopFilePaths blocked = paths;
    blocked.AutostartEntry = home_.File("blocked/velocrest.desktop");
    fs::create_directories(blocked.AutostartEntry);
    EXPECT_FALSE(WriteAutostartEntry(blocked, exe_));
    EXPECT_FALSE(AutostartEntryExists(blocked));

    EXPECT_FALSE(WriteAutostartEntry(tDesktopFilePaths{}, exe_));
    EXPECT_FALSE(AutostartEntryExists(tDesktopFilePaths{}));
}

TEST_F(DesktopFilesTest, FileTypeIsWrittenOnceAndTheDatabasesRebuiltOnlyThen) {
    const tDesktopFilePaths paths = Paths();
    const tFileTypeResult first = RegisterFileType(paths, exe_, Recorder());
    EXPECT_TRUE(first.MimePackageWritten);
    EXPECT_TRUE(first.ApplicationEntryWritten);
    EXPECT_FALSE(first.Failed);
    EXPECT_EQ(calls_, (std::vector<tToolCall>{{"update-mime-database", {paths.MimeDir}},
                                              {"update-desktop-database", {paths.ApplicationsDir}}}));
    EXPECT_EQ(test::ReadFileBytes(paths.MimePackage), MimePackageText());
    EXPECT_EQ(test::ReadFileBytes(paths.ApplicationEntry), *ApplicationEntryText(exe_));
    const auto mimeStamp = Stamp(paths.MimePackage);
    const auto entryStamp = Stamp(paths.ApplicationEntry);

    calls_.clear();
    const tFileTypeResult second = RegisterFileType(paths, exe_, Recorder());
    EXPECT_FALSE(second.MimePackageWritten);
    EXPECT_FALSE(second.ApplicationEntryWritten);
    EXPECT_FALSE(second.Failed);
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(Stamp(paths.MimePackage), mimeStamp);
    EXPECT_EQ(Stamp(paths.ApplicationEntry), entryStamp);
}

TEST_F(DesktopFilesTest, OnlyTheFileThatDiffersIsRewritten) {
    const tDesktopFilePaths paths = Paths();
    RegisterFileType(paths, exe_, Recorder());
    struct tCase {
        const char* Name;
        std::function<void()> Change;
        std::string Exe;
        bool Mime;
        bool Entry;
    };
    const tCase cases[] = {
        {"program moved", [] {}, "/opt/Other Apps/bin/velocrest", false, true},
        {"package edited", [&] { home_.Write(".local/share/mime/packages/velocrest.xml", "<mime-info/>"); },
         "/opt/Other Apps/bin/velocrest", true, false},
        {"entry deleted", [&] { fs::remove(paths.ApplicationEntry); }, "/opt/Other Apps/bin/velocrest", false,
         true},
        {"both deleted", [&] { fs::remove_all(home_.Path() / ".local"); }, "/opt/Other Apps/bin/velocrest",
         true, true},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        c.Change();
        calls_.clear();
        const tFileTypeResult result = RegisterFileType(paths, c.Exe, Recorder());
        EXPECT_EQ(result.MimePackageWritten, c.Mime);
        EXPECT_EQ(result.ApplicationEntryWritten, c.Entry);
        EXPECT_FALSE(result.Failed);
        EXPECT_EQ(calls_.size(), (c.Mime ? 1u : 0u) + (c.Entry ? 1u : 0u));
        EXPECT_EQ(test::ReadFileBytes(paths.MimePackage), MimePackageText());
        EXPECT_EQ(test::ReadFileBytes(paths.ApplicationEntry), *ApplicationEntryText(c.Exe));
    }
}

TEST_F(DesktopFilesTest, AFailedWriteIsReportedAndRebuildsNothingForIt) {
    const tDesktopFilePaths paths = Paths();
    // The applications folder is a file: the entry cannot be written, the package still is.
    home_.Write(".local/share/applications", "not a folder");
    const tFileTypeResult result = RegisterFileType(paths, exe_, Recorder());
    EXPECT_TRUE(result.Failed);
    EXPECT_TRUE(result.MimePackageWritten);
    EXPECT_FALSE(result.ApplicationEntryWritten);
    EXPECT_EQ(calls_, (std::vector<tToolCall>{{"update-mime-database", {paths.MimeDir}}}));

    calls_.clear();
    const tFileTypeResult unquotable = RegisterFileType(paths, "/opt/a\nb", Recorder());
    EXPECT_TRUE(unquotable.Failed);
    EXPECT_TRUE(calls_.empty());
}

TEST_F(DesktopFilesTest, FromAnInstalledPrefixTheInstalledEntryServes) {
    const tDesktopFilePaths paths = Paths();
    const fs::path prefix = home_.Path() / "prefix";
    const std::string exe = (prefix / "bin" / "velocrest").string();
    struct tCase {
        const char* Name;
        bool Data;
        bool Entry;
        bool Installed;
    };
    const tCase cases[] = {
        {"build tree: neither", false, false, false},
        {"data without the entry", true, false, false},
        {"entry without the data", false, true, false},
        {"installed", true, true, true},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(prefix);
        fs::remove_all(home_.Path() / ".local");
        fs::create_directories(prefix / "bin");
        if (c.Data) {
            fs::create_directories(prefix / "share" / "velocrest");
        }
        if (c.Entry) {
            home_.Write("prefix/share/applications/velocrest.desktop", "[Desktop Entry]\n");
        }
        EXPECT_EQ(RunsFromInstalledPrefix(exe), c.Installed);
        calls_.clear();
        const tFileTypeResult result = RegisterFileType(paths, exe, Recorder());
        EXPECT_FALSE(result.Failed);
        EXPECT_EQ(result.InstalledEntryServes, c.Installed);
        EXPECT_EQ(result.ApplicationEntryWritten, !c.Installed);
        EXPECT_EQ(fs::exists(paths.ApplicationEntry), !c.Installed);
        // The file type itself is still made known, for prefixes outside the desktop's data folders.
        EXPECT_TRUE(result.MimePackageWritten);
        EXPECT_EQ(calls_.size(), c.Installed ? 1u : 2u);
        if (c.Entry) {
            EXPECT_EQ(test::ReadFileBytes(prefix / "share/applications/velocrest.desktop"),
                      "[Desktop Entry]\n");
        }
    }
    // The autostart entry still starts the installed executable.
    ASSERT_TRUE(WriteAutostartEntry(paths, exe));
    EXPECT_EQ(FirstExecArgument(*DesktopEntryValue(test::ReadFileBytes(paths.AutostartEntry), "Exec")), exe);
    EXPECT_FALSE(RunsFromInstalledPrefix(""));
}

} // namespace
} // namespace vc
