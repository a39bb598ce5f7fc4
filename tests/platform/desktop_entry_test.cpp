#include "platform/desktop_entry.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace vc {
namespace {

// Exec values as they stand in the file: the desktop entry's own quoting inside the file format's
// string escapes, so every backslash of the quoting is doubled.
TEST(DesktopEntryTest, ExecArgumentIsQuotedAndEscapedForTheFile) {
    struct tCase {
        const char* Path;
        const char* Stored;
    };
    const tCase cases[] = {
        {"/usr/bin/velocrest", R"("/usr/bin/velocrest")"},
        {"/opt/My Apps/velocrest", R"("/opt/My Apps/velocrest")"},
        {"/opt/a\"b/velocrest", R"("/opt/a\\"b/velocrest")"},
        {"/opt/$HOME/velocrest", R"("/opt/\\$HOME/velocrest")"},
        {"/opt/`x`/velocrest", R"("/opt/\\`x\\`/velocrest")"},
        {"/opt/a\\b/velocrest", R"("/opt/a\\\\b/velocrest")"},
        // A "%" would start a field code; a literal one is doubled.
        {"/opt/100%/velocrest", R"("/opt/100%%/velocrest")"},
        {"/opt/%f/velocrest", R"("/opt/%%f/velocrest")"},
        {"/opt/it's;#=/velocrest", R"("/opt/it's;#=/velocrest")"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Path);
        const std::optional<std::string> stored = QuoteExecArgument(c.Path);
        ASSERT_TRUE(stored.has_value());
        EXPECT_EQ(*stored, c.Stored);
        EXPECT_EQ(FirstExecArgument(*stored), c.Path);
        EXPECT_EQ(FirstExecArgument(*stored + " %f"), c.Path);
    }
}

TEST(DesktopEntryTest, PathsAnEntryCannotCarryAreRefused) {
    for (const std::string& path :
         {std::string(), std::string("/opt/a\nb"), std::string("/opt/a\rb"), std::string("/opt/a\0b", 7)}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(QuoteExecArgument(path).has_value());
        EXPECT_FALSE(AutostartEntryText(path).has_value());
        EXPECT_FALSE(ApplicationEntryText(path).has_value());
    }
}

TEST(DesktopEntryTest, FirstExecArgumentReadsWhatOthersWrote) {
    struct tCase {
        const char* Stored;
        std::optional<std::string> Path;
    };
    const tCase cases[] = {
        {"velocrest", "velocrest"},
        {"  /usr/bin/velocrest %f", "/usr/bin/velocrest"},
        {R"(/usr/bin/velocrest\s--x)", "/usr/bin/velocrest"},
        {R"("/opt/My Apps/velocrest" --flag)", "/opt/My Apps/velocrest"},
        {R"("/opt/100%%")", "/opt/100%"},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {R"("/opt/unterminated)", std::nullopt},
        {R"("/opt/bad\\q")", std::nullopt},
        {R"(/opt/bad\q)", std::nullopt},
        {"%f", std::nullopt},
        {R"("")", std::nullopt},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Stored);
        EXPECT_EQ(FirstExecArgument(c.Stored), c.Path);
    }
}

TEST(DesktopEntryTest, ValuesAreTakenFromTheMainGroupOnly) {
    const std::string text = "# comment\n"
                             "Name=outside any group\n"
                             "[Desktop Entry]\r\n"
                             "Name[de]=Lokal\n"
                             "Name = Velocrest \n"
                             "Name=second\n"
                             "Exec=/usr/bin/velocrest\n"
                             "[Desktop Action Other]\n"
                             "Exec=/bin/other\n"
                             "Hidden=true\n";
    EXPECT_EQ(DesktopEntryValue(text, "Name"), "Velocrest");
    EXPECT_EQ(DesktopEntryValue(text, "Name[de]"), "Lokal");
    EXPECT_EQ(DesktopEntryValue(text, "Exec"), "/usr/bin/velocrest");
    EXPECT_EQ(DesktopEntryValue(text, "Hidden"), std::nullopt);
    EXPECT_EQ(DesktopEntryValue("", "Exec"), std::nullopt);
}

TEST(DesktopEntryTest, EntriesStartOurExecutableAndOpenOurFileType) {
    const std::string path = "/opt/My 100% Apps/velocrest";
    const std::optional<std::string> autostart = AutostartEntryText(path);
    const std::optional<std::string> application = ApplicationEntryText(path);
    ASSERT_TRUE(autostart && application);
    for (const std::string* text : {&*autostart, &*application}) {
        EXPECT_EQ(text->rfind("[Desktop Entry]\n", 0), 0u);
        EXPECT_EQ(DesktopEntryValue(*text, "Type"), "Application");
        EXPECT_EQ(DesktopEntryValue(*text, "Name"), "Velocrest");
        // The installed icon theme holds it by this name.
        EXPECT_EQ(DesktopEntryValue(*text, "Icon"), "velocrest");
        const std::optional<std::string> exec = DesktopEntryValue(*text, "Exec");
        ASSERT_TRUE(exec.has_value());
        EXPECT_EQ(FirstExecArgument(*exec), path);
    }
    // The file to open comes as one argument after the program.
    EXPECT_EQ(DesktopEntryValue(*application, "Exec"), R"("/opt/My 100%% Apps/velocrest" %f)");
    EXPECT_EQ(DesktopEntryValue(*application, "MimeType"), std::string(kMimeTypeName) + ";");
    EXPECT_EQ(DesktopEntryValue(*autostart, "MimeType"), std::nullopt);
}

TEST(DesktopEntryTest, MimePackageMatchesOurFilesAndNamesTheType) {
    const std::string package = MimePackageText();
    EXPECT_NE(package.find(std::string("<mime-type type=\"") + kMimeTypeName + "\">"), std::string::npos);
    EXPECT_NE(package.find("<glob pattern=\"*.velocrest\"/>"), std::string::npos);
    EXPECT_NE(package.find("<comment>Velocrest Stock selection</comment>"), std::string::npos);
}

// The install ships its own entry and file type package beside the ones a run writes for a user;
// where they drifted apart, the desktop would know two different file types or entries.
TEST(DesktopEntryTest, InstalledFilesAgreeWithWhatTheProgramWrites) {
    EXPECT_EQ(test::ReadFileBytes(test::SourcePath("packaging/velocrest.xml")), MimePackageText());
    const std::string installed = test::ReadFileBytes(test::SourcePath("packaging/velocrest.desktop"));
    const std::string written = *ApplicationEntryText("/usr/bin/velocrest");
    for (const char* key : {"Type", "Name", "Comment", "Icon", "Terminal", "MimeType", "Categories"}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(DesktopEntryValue(written, key).has_value());
        EXPECT_EQ(DesktopEntryValue(installed, key), DesktopEntryValue(written, key));
    }
    // Found on the PATH; a file to open comes as the one argument after the program, as in ours.
    EXPECT_EQ(DesktopEntryValue(installed, "Exec"), "velocrest %f");
}

} // namespace
} // namespace vc
