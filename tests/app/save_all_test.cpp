#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/save_all.h"
#include "support/failing_writer.h"
#include "tape/ini_object.h"
#include "tape/tape_test_support.h"

namespace vc {
namespace {

// A settings file as an earlier run and other windows left it: the tape, the four sections kept
// across a rewrite, and sections nobody writes any more.
const std::string kOldFile = "[FormSizing]\r\nScr_Setup=10|20|300|400\r\n\r\n"
                             "[General]\r\nAskStartup=1\r\nProxySettings=old.proxy:3128||\r\n"
                             "QuoteHostUS=127.0.0.1:9999\r\n\r\n"
                             "[Gridorder]\r\nSymbols=3|1|2\r\n\r\n"
                             "[GridSizing]\r\nSymbols=80|120|60\r\n\r\n"
                             "[Obsolete]\r\nKey=1\r\n\r\n"
                             "[Tape_000]\r\nAantal=1\r\nSpeed=45\r\n\r\n"
                             "[Tape_000_Item000]\r\nSymbol=MSFT\r\nName=MICROSOFT\r\nAlertUp=30\r\n\r\n"
                             "[Tape_000_Item007]\r\nSymbol=GONE\r\n";

class SaveAllTest : public ::testing::Test {
protected:
    void LoadOldFile() {
        world.Dir.Write("Velocrest.INI", kOldFile);
        world.Tape->LoadSettings();
        ASSERT_EQ(world.Tape->ItemCount(), 1);
    }
    std::string Settings() const { return world.Dir.Read("Velocrest.INI"); }
    std::string Backup() const { return world.Dir.Read("Velocrest.BCK"); }

    test::tTapeWorld world;
};

TEST_F(SaveAllTest, BackupIsThePreviousFileAndKeptSectionsSurvive) {
    LoadOldFile();
    world.Tape->AddSymbol("IBM", "IBM CORP");
    world.Values.ProxySettings = "proxy.example:8080|me|secret";

    ASSERT_TRUE(SaveAll(*world.Tape, world.Values));
    EXPECT_EQ(Backup(), kOldFile);
    EXPECT_EQ(test::CountTemporaryFiles(world.Dir.Path()), 0);
    EXPECT_FALSE(world.Dir.Exists("Velocrest.INI.new"));

    const tIniObject saved(world.Values.SettingsFileName);
    struct tKept {
        const char* Section;
        const char* Key;
        const char* Value;
    } const kept[] = {
        {"General", "AskStartup", "1"},
        {"General", "QuoteHostUS", "127.0.0.1:9999"},
        {"GridSizing", "Symbols", "80|120|60"},
        {"FormSizing", "Scr_Setup", "10|20|300|400"},
        {"Gridorder", "Symbols", "3|1|2"},
        // The program-wide value wins over what the old file had.
        {"General", "ProxySettings", "proxy.example:8080|me|secret"},
        {"Tape_000", "Aantal", "2"},
        {"Tape_000", "Speed", "45"},
        {"Tape_000_Item001", "Symbol", "IBM"},
    };
    for (const tKept& k : kept) {
        SCOPED_TRACE(std::string(k.Section) + "/" + k.Key);
        EXPECT_EQ(saved.ReadString(k.Section, k.Key, "<absent>"), k.Value);
    }
    for (const char* dropped : {"Obsolete", "Tape_000_Item007"}) {
        SCOPED_TRACE(dropped);
        EXPECT_FALSE(saved.ReadSection(dropped).has_value());
    }

    // The next rewrite keeps exactly this file as its backup.
    const std::string first = Settings();
    world.Tape->AddSymbol("AAPL", "APPLE");
    ASSERT_TRUE(SaveAll(*world.Tape, world.Values));
    EXPECT_EQ(Backup(), first);
    EXPECT_NE(Settings(), first);
}

TEST_F(SaveAllTest, FirstRunWritesTheFileAndNoBackup) {
    world.Tape->LoadSettings();
    ASSERT_TRUE(SaveAll(*world.Tape, world.Values));
    EXPECT_TRUE(world.Dir.Exists("Velocrest.INI"));
    EXPECT_FALSE(world.Dir.Exists("Velocrest.BCK"));
    const tIniObject saved(world.Values.SettingsFileName);
    EXPECT_EQ(saved.ReadString("Tape_000", "Aantal", ""), "0");
    // Sections the old file did not have are not made up.
    EXPECT_FALSE(saved.ReadSection("GridSizing").has_value());
}

TEST_F(SaveAllTest, FailedWriteLeavesOldFileAndOldBackup) {
    struct tCase {
        const char* Name;
        std::function<bool(test::tTapeWorld&)> Save;
    } const cases[] = {
        {"read-only folder",
         [](test::tTapeWorld& w) {
             return test::RunInReadOnlyFolder(w.Dir.Path(), [&w] { return SaveAll(*w.Tape, w.Values); }) == 1;
         }},
        {"disk full part-way",
         [](test::tTapeWorld& w) {
             test::tFullDiskWriter disk(64);
             return SaveAll(*w.Tape, w.Values, disk.Fn());
         }},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        test::tTapeWorld w;
        w.Dir.Write("Velocrest.INI", kOldFile);
        w.Dir.Write("Velocrest.BCK", "the run before\r\n");
        w.Tape->LoadSettings();
        w.Tape->AddSymbol("IBM", "IBM CORP");

        EXPECT_FALSE(c.Save(w));
        EXPECT_EQ(w.Dir.Read("Velocrest.INI"), kOldFile);
        EXPECT_EQ(w.Dir.Read("Velocrest.BCK"), "the run before\r\n");
        EXPECT_FALSE(w.Dir.Exists("Velocrest.INI.new"));
        EXPECT_EQ(test::CountTemporaryFiles(w.Dir.Path()), 0);
    }
}

TEST_F(SaveAllTest, DeletedTapeRemovesFileAndBackup) {
    for (const bool withBackup : {true, false}) {
        SCOPED_TRACE(withBackup ? "with backup" : "without backup");
        test::tTapeWorld w(true, 3);
        w.Values.SettingsFileName = SettingsFileNameFor(w.Values.ProgramDir, 3);
        w.Dir.Write("Velocrest_3.INI", kOldFile);
        if (withBackup) {
            w.Dir.Write("Velocrest_3.BCK", kOldFile);
        }
        w.Dir.Write("Velocrest.INI", "first tape\r\n");
        w.Tape->LoadSettings();
        w.Values.InstanceNumber = -1;

        EXPECT_TRUE(SaveAll(*w.Tape, w.Values));
        EXPECT_FALSE(w.Dir.Exists("Velocrest_3.INI"));
        EXPECT_FALSE(w.Dir.Exists("Velocrest_3.BCK"));
        // Another tape's file is not touched.
        EXPECT_EQ(w.Dir.Read("Velocrest.INI"), "first tape\r\n");
    }
}

} // namespace
} // namespace vc
