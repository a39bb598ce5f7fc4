#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/save_all.h"
#include "support/failing_writer.h"
#include "support/scripted_message_boxer.h"
#include "support/temp_dir.h"
#include "tape/ini_object.h"
#include "tape/profile_layout_store.h"
#include "tape/tape_test_support.h"
#include "toolkit/table_data.h"

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
             // The settings file refuses writes as well, so there is no way in place either.
             ::chmod(w.Values.SettingsFileName.c_str(), 0444);
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

TEST_F(SaveAllTest, ReadOnlyFolderWithWritableFileIsSavedInPlaceWithoutBackup) {
    LoadOldFile();
    world.Dir.Write("Velocrest.BCK", "the run before\r\n");
    world.Tape->AddSymbol("IBM", "IBM CORP");
    ASSERT_EQ(::chmod(world.Values.SettingsFileName.c_str(), 0666), 0);

    const int result =
        test::RunInReadOnlyFolder(world.Dir.Path(), [this] { return SaveAll(*world.Tape, world.Values); });

    EXPECT_EQ(result, 1);
    const tIniObject saved(world.Values.SettingsFileName);
    EXPECT_EQ(saved.ReadInteger("Tape_000", "Aantal", 0), 2);
    EXPECT_EQ(saved.ReadString("GridSizing", "Symbols", ""), "80|120|60");
    EXPECT_EQ(Backup(), "the run before\r\n");
    EXPECT_FALSE(world.Dir.Exists("Velocrest.INI.new"));
    EXPECT_EQ(test::CountTemporaryFiles(world.Dir.Path()), 0);
}

TEST(SaveLeftoversTest, RemovesWhatSavesOfItsOwnFileLeftAndNothingElse) {
    struct tCase {
        const char* Name;
        bool Kept;
    } const cases[] = {
        {"Velocrest.INI", true},
        {"Velocrest.BCK", true},
        {"Velocrest.INI.tmp-a1B2c3", false},
        {"Velocrest.INI.new.tmp-Zz9Yy8", false},
        {"Velocrest.INI.new", false},
        // Another instance's saves: that instance holds its own lock and may be saving now.
        {"Velocrest_2.INI", true},
        {"Velocrest_2.INI.new.tmp-a1B2c3", true},
        {"Velocrest_2.INI.tmp-a1B2c3", true},
        {"Velocrest_2.INI.new", true},
        // Look-alikes no save makes.
        {"Velocrest.INI.new.tmp-a1B2", true},
        {"Velocrest.INI.new.tmp-a1B2c3~", true},
        {"Velocrest.INI.old", true},
        {"Velocrest.INI.newer", true},
        {"My Velocrest.INI.tmp-a1B2c3", true},
    };
    test::tTempDir dir;
    for (const auto& c : cases) {
        dir.Write(c.Name, c.Name);
    }

    EXPECT_EQ(RemoveSaveLeftovers(dir.File("Velocrest.INI")), 3);

    for (const auto& c : cases) {
        EXPECT_EQ(dir.Exists(c.Name), c.Kept) << c.Name;
    }
    EXPECT_EQ(dir.Read("Velocrest.INI"), "Velocrest.INI");
}

TEST(SaveLeftoversTest, PendingFileTakesThePlaceOfAMissingSettingsFile) {
    test::tTempDir dir;
    dir.Write("Velocrest.BCK", "old\r\n");
    dir.Write("Velocrest.INI.new", "new\r\n");
    dir.Write("Velocrest.INI.new.tmp-a1B2c3", "half");

    EXPECT_EQ(RemoveSaveLeftovers(dir.File("Velocrest.INI")), 1);

    EXPECT_EQ(dir.Read("Velocrest.INI"), "new\r\n");
    EXPECT_EQ(dir.Read("Velocrest.BCK"), "old\r\n");
    EXPECT_FALSE(dir.Exists("Velocrest.INI.new"));
    EXPECT_EQ(test::CountTemporaryFiles(dir.Path()), 0);
}

// Saves of a large settings file are killed at random moments, the way a crash or the end of a
// session without warning would stop them. Whatever moment the kill hits, the file is one
// version or the other, and the start-up clean-up leaves no temporary file.
TEST(SaveLeftoversTest, KilledSavesLeaveOldOrNewAndCleanUpLeavesNothing) {
    test::tTempDir dir;
    const std::string file = dir.File("Velocrest.INI");
    const std::string filler(1 << 20, 'x');
    const std::string versions[] = {"[General]\r\nVersion=A\r\n" + filler,
                                    "[General]\r\nVersion=B\r\n" + filler};
    dir.Write("Velocrest.INI", versions[0]);
    // A fixed seed: the same moments on every run, spread over the whole length of a save.
    std::mt19937 random(20240315);
    int leftovers[2] = {0, 0}; // named route, unnamed route
    int kills = 0;
    for (const bool unnamed : {true, false}) {
        for (int round = 0; round < 25; ++round) {
            SCOPED_TRACE(std::string(unnamed ? "unnamed" : "named") + " round " + std::to_string(round));
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                // Never outlives the test, even if the test dies before its kill.
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                UseUnnamedTemporaryFiles(unnamed);
                for (int i = 0; i < 100000; ++i) {
                    WriteFileAtomically(file, versions[i % 2]);
                }
                _exit(0);
            }
            ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
            ::kill(child, SIGKILL);
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);
            if (WIFSIGNALED(status)) {
                ++kills;
            }
            const std::string now = test::ReadFileBytes(file);
            EXPECT_TRUE(now == versions[0] || now == versions[1]) << "size " << now.size();
            leftovers[unnamed ? 1 : 0] += test::CountTemporaryFiles(dir.Path());
            RemoveSaveLeftovers(file);
            EXPECT_EQ(test::CountTemporaryFiles(dir.Path()), 0);
        }
    }
    EXPECT_EQ(kills, 50);
    RecordProperty("leftovers_unnamed", leftovers[1]);
    RecordProperty("leftovers_named", leftovers[0]);
    std::printf("killed saves: %d; temporary files found before clean-up: %d (unnamed), %d (named)\n", kills,
                leftovers[1], leftovers[0]);
}

TEST_F(SaveAllTest, TooLargeSettingsAreKeptAsideOnceAndTheUserIsTold) {
    const test::tLowerFileLimit limit(1024);
    const std::string big = kOldFile + std::string(1024, 'z');
    world.Dir.Write("Velocrest.INI", big);
    world.Dir.Write("Velocrest.INI.too-large", "from an earlier start");
    test::tScriptedMessageBoxer boxer;

    EXPECT_EQ(KeepTooLargeSettings(world.Values.SettingsFileName, boxer),
              world.Values.SettingsFileName + ".too-large-2");
    // A second look finds nothing to keep and says nothing.
    EXPECT_EQ(KeepTooLargeSettings(world.Values.SettingsFileName, boxer), "");
    ASSERT_EQ(boxer.Questions.size(), 1u);
    EXPECT_NE(boxer.Questions[0].Text.find("Velocrest.INI.too-large-2"), std::string::npos);
    EXPECT_EQ(boxer.Questions[0].Buttons, kMbOK);
    EXPECT_EQ(world.Dir.Read("Velocrest.INI.too-large"), "from an earlier start");
    EXPECT_EQ(world.Dir.Read("Velocrest.INI.too-large-2"), big);

    // A file that grew past the limit during the run is kept aside too, not made the backup.
    world.Tape->LoadSettings();
    world.Dir.Write("Velocrest.INI", big + "more");
    ASSERT_TRUE(SaveAll(*world.Tape, world.Values));
    EXPECT_EQ(world.Dir.Read("Velocrest.INI.too-large-3"), big + "more");
    EXPECT_EQ(tIniObject(world.Values.SettingsFileName).ReadInteger("Tape_000", "Aantal", -1), 0);
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

TEST_F(SaveAllTest, GridLayoutSurvivesTheShutdownRewrite) {
    LoadOldFile();
    // A grid as a dialog configures it, saved when the dialog closes and loaded when it reopens.
    auto makeGrid = [] {
        tTableData grid;
        for (int i = 0; i < 3; ++i) {
            grid.tab_Kolommen.Add().Width = 50 + i;
        }
        grid.tab_SaveName = "Prices";
        grid.tab_ColumnOrder = "0|1|2";
        grid.Events.OnGridSetup = [] {};
        return grid;
    };
    tProfileLayoutStore store(world.Values.SettingsFileName);
    {
        tTableData grid = makeGrid();
        grid.LoadLayout(store);
        grid.SetRowCount(3);
        grid.ApplyProperties({{2, "", true, false}, {0, "", true, false}, {1, "", false, false}}, 2);
        grid.SetColWidth(0, 77);
        grid.HeaderClicked(1);
        grid.SaveLayout(store);
    }
    ASSERT_TRUE(SaveAll(*world.Tape, world.Values));

    tTableData grid = makeGrid();
    grid.LoadLayout(store);
    EXPECT_EQ(grid.VisibleIds(), (std::vector<int>{2, 0}));
    EXPECT_EQ(grid.ColWidth(0), 77);
    EXPECT_EQ(grid.ColWidth(1), 50);
    EXPECT_EQ(grid.SortState, -2);
    EXPECT_EQ(grid.LinesPerRow(), 2);
    EXPECT_EQ(grid.DefaultRowHeight(), 31);
    // The old file's own grid sections are still there beside the new ones.
    const tIniObject saved(world.Values.SettingsFileName);
    EXPECT_EQ(saved.ReadString("Gridorder", "Symbols", ""), "3|1|2");
}

} // namespace
} // namespace vc
