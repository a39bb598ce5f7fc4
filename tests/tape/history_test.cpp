#include "tape/history.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "support/failing_writer.h"
#include "tape_test_support.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

using test::kTapeNow;

TEST(HistoryTest, FileNameIsInTheProgramFolderWhateverItsCase) {
    test::tTapeWorld world(false);
    EXPECT_EQ(HistoryFileName(world.Values), world.Dir.File("Velocrest History.TXT"));
    world.Dir.Write("VELOCREST HISTORY.txt", "");
    EXPECT_EQ(HistoryFileName(world.Values), world.Dir.File("VELOCREST HISTORY.txt"));
}

TEST(HistoryTest, LinesAreAppendedWithCrLf) {
    test::tTapeWorld world(false);
    EXPECT_TRUE(AppendHistory(world.Values, "first"));
    EXPECT_TRUE(AppendHistory(world.Values, "  second"));
    EXPECT_TRUE(AppendHistory(world.Values, ""));
    EXPECT_EQ(world.Dir.Read("Velocrest History.TXT"), "first\r\n  second\r\n\r\n");
}

TEST(HistoryTest, AlertLineHasATwentyFiveCharacterNameColumn) {
    struct tCase {
        const char* Name;
        const char* Symbol;
        bool Up;
        const char* Expected;
    };
    const tCase cases[] = {
        {"Shell", "RDSA", true,
         "15/03/2024 14:30  SHELL (RDSA)               CLOSE (56.65) raised above ALERT (56)"},
        {"Koninklijke Philips Electronics", "PHIA.AS", true,
         "15/03/2024 14:30  KONINKLIJKE PHILIPS ELECT  CLOSE (56.65) raised above ALERT (56)"},
        {"Koninklijke Philips", "PHIA.AS", false,
         "15/03/2024 14:30  KONINKLIJKE PHILIPS (PHIA  LOW (19.50) dropped below ALERT (20)"},
        {"Royal Dutch [A]", "RDA", false,
         "15/03/2024 14:30  ROYAL DUTCH  (RDA)         LOW (19.50) dropped below ALERT (20)"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        tTickerItem item;
        item.Name = c.Name;
        item.Symbol = c.Symbol;
        item.PendingAlertDown = "Alert DOWN|20|19.50|LOW (19.50) dropped below ALERT (20)";
        if (c.Up) {
            item.PendingAlertUp = "Alert UP|56|56.65|CLOSE (56.65) raised above ALERT (56)";
        }
        EXPECT_EQ(AlertHistoryLine(item, kTapeNow, "dd/MM/yyyy"), c.Expected);
    }
}

TEST(HistoryTest, WriteAlertHistoryUsesTheClockAndTheDatePattern) {
    test::tTapeWorld world(false);
    world.Values.ShortDateFormat = "yyyy-MM-dd";
    tTickerItem item;
    item.Name = "IBM";
    item.Symbol = "IBM";
    item.PendingAlertUp = "Alert UP|1|2|CLOSE (2) raised above ALERT (1)";
    EXPECT_TRUE(WriteAlertHistory(world.Values, item));
    EXPECT_EQ(world.Dir.Read("Velocrest History.TXT"),
              "2024-03-15 14:30  IBM (IBM)                  CLOSE (2) raised above ALERT (1)\r\n");
}

TEST(HistoryTest, AFolderThatRefusesWritesFailsQuietlyAndLosesNothing) {
    test::tTapeWorld world(false);
    world.Dir.Write("keep.txt", "untouched");
    const int missing = test::RunInReadOnlyFolder(world.Dir.Path(), [&] {
        return !AppendHistory(world.Values, "line") &&
               !std::filesystem::exists(HistoryFileName(world.Values));
    });
    EXPECT_EQ(missing, 1);

    world.Dir.Write("Velocrest History.TXT", "earlier\r\n");
    ASSERT_EQ(::chmod(world.Dir.File("Velocrest History.TXT").c_str(), 0444), 0);
    const int readOnly = test::RunInReadOnlyFolder(world.Dir.Path(), [&] {
        tTickerItem item;
        item.Symbol = "X";
        item.PendingAlertUp = "a|b|c|d";
        return !WriteAlertHistory(world.Values, item);
    });
    EXPECT_EQ(readOnly, 1);
    EXPECT_EQ(world.Dir.Read("Velocrest History.TXT"), "earlier\r\n");
    EXPECT_EQ(world.Dir.Read("keep.txt"), "untouched");
}

TEST(HistoryTest, OpenHistoryOpensAnExistingFileAndBeepsOtherwise) {
    test::tTapeWorld world;
    OpenHistory(world.Values, world.Tape->Hooks());
    EXPECT_EQ(world.Hooks.Beeps, 1);
    EXPECT_TRUE(world.Hooks.Files.empty());
    AppendHistory(world.Values, "x");
    OpenHistory(world.Values, world.Tape->Hooks());
    EXPECT_EQ(world.Hooks.Beeps, 1);
    EXPECT_EQ(world.Hooks.Files, (std::vector<std::string>{world.Dir.File("Velocrest History.TXT")}));
}

} // namespace
} // namespace vc
