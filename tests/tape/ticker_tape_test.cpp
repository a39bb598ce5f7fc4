#include "tape/ticker_tape.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tape_test_support.h"
#include "toolkit/dates.h"

namespace vc {
namespace {

using Lines = std::vector<std::string>;
using test::tTapeWorld;

Lines Symbols(const tTickerTape& tape) {
    Lines symbols;
    for (int i = 0; i < tape.ItemCount(); ++i) {
        EXPECT_EQ(tape.ItemAt(i).Index, i);
        symbols.push_back(tape.ItemAt(i).Symbol);
    }
    return symbols;
}

std::string ItemSection(int index, const char* symbol) {
    return "[Tape_000_Item" +
           std::string(index < 10    ? "00"
                       : index < 100 ? "0"
                                     : "") +
           std::to_string(index) + "]\r\nSymbol=" + symbol + "\r\nName=" + symbol + " name\r\n";
}

TEST(TickerTapeTest, DefaultsBeforeReading) {
    for (const int instance : {1, 2}) {
        SCOPED_TRACE(instance);
        tTapeWorld world(false, instance);
        const tTickerTape& tape = *world.Tape;
        EXPECT_EQ(tape.SkinName, "Default\\Arrow");
        EXPECT_EQ(tape.Speed, 30);
        EXPECT_EQ(tape.Direction, 1);
        EXPECT_FALSE(tape.AutoHide);
        EXPECT_FALSE(tape.MarkOldItems);
        EXPECT_EQ(tape.ShowLogos, instance == 1);
        EXPECT_TRUE(tape.ShowButtons);
        EXPECT_EQ(tape.VertAlign, 0);
        EXPECT_TRUE(tape.TrayIcon);
        EXPECT_FALSE(tape.SendMails);
        EXPECT_EQ(tape.Server, 0);
        EXPECT_EQ(tape.Height, kDefaultTapeHeight);
        EXPECT_EQ(tape.ItemCount(), 0);
    }
}

TEST(TickerTapeTest, MissingSettingsFileGivesAnEmptyTapeWithDefaults) {
    tTapeWorld world;
    world.Hooks.MailAccount = "smtp.example.org|me@example.org";
    world.Tape->LoadSettings();
    EXPECT_EQ(world.Tape->ItemCount(), 0);
    EXPECT_EQ(world.Hooks.Skins, (Lines{"Default\\Arrow"}));
    EXPECT_EQ(world.Tape->Height, 24);
    EXPECT_EQ(world.Hooks.ButtonsShown, (std::vector<bool>{true}));
    // No mail settings at all: the discovered account fills them.
    EXPECT_EQ(world.Tape->MailServer, "smtp.example.org");
    EXPECT_EQ(world.Tape->MailAccount, "me@example.org");
    EXPECT_EQ(world.Tape->MailTo, "me@example.org");
    EXPECT_FALSE(world.Dir.Exists("Velocrest.INI"));
}

TEST(TickerTapeTest, StoredSettingsAreReadAndMailDiscoveryIsSkippedWhenAnyIsSet) {
    tTapeWorld world;
    world.Hooks.MailAccount = "other|other@example.org";
    world.Values.ProxySettings = "before";
    world.Dir.Write("Velocrest.INI",
                    "[Tape_000]\r\nSkinName=Blue\\Flat\r\nSpeed=45\r\nDirection=2\r\n"
                    "AutoHide=1\r\nMarkOldItems=1\r\nMailTo=boss@example.org\r\nShowLogos=0\r\n"
                    "ShowButtons=0\r\nVertAlign=1\r\nTrayIcon=0\r\nSendMails=1\r\nServer=1\r\n"
                    "SkypeChat=1\r\nSkypeChatTo=chatter\r\nSkypeSMS=1\r\nSkypeSmsTo=+3161234\r\n"
                    "[Tape_000_Gainers]\r\n00001=3\r\n00002=7\r\n"
                    "[General]\r\nProxySettings=proxy.example:8080\r\n");
    tTickerTape& tape = *world.Tape;
    tape.LoadSettings();
    EXPECT_EQ(tape.SkinName, "Blue\\Flat");
    EXPECT_EQ(world.Hooks.Skins, (Lines{"Blue\\Flat"}));
    EXPECT_EQ(tape.Speed, 45);
    EXPECT_EQ(tape.Direction, 2);
    EXPECT_TRUE(tape.AutoHide);
    EXPECT_TRUE(tape.MarkOldItems);
    EXPECT_EQ(tape.MailServer, "");
    EXPECT_EQ(tape.MailTo, "boss@example.org");
    EXPECT_FALSE(tape.ShowLogos);
    EXPECT_FALSE(tape.ShowButtons);
    EXPECT_EQ(world.Hooks.ButtonsShown, (std::vector<bool>{false}));
    EXPECT_EQ(tape.VertAlign, 1);
    EXPECT_FALSE(tape.TrayIcon);
    EXPECT_TRUE(tape.SendMails);
    EXPECT_EQ(tape.Server, 1);
    EXPECT_TRUE(tape.SkypeChat);
    EXPECT_EQ(tape.SkypeChatTo, "chatter");
    EXPECT_TRUE(tape.SkypeSMS);
    EXPECT_EQ(tape.SkypeSmsTo, "+3161234");
    EXPECT_EQ(tape.GainerLists, (Lines{"3", "7"}));
    EXPECT_EQ(world.Values.ProxySettings, "proxy.example:8080");
    EXPECT_EQ(world.Hooks.MailQueries, 0);
}

TEST(TickerTapeTest, EachSettingKeyReadsIntoItsOwnFieldAndIsWrittenBackUnderItsName) {
    // One key at a time holds a value other than its default; a key read into or written from the
    // wrong field shows as that value in the wrong place.
    struct tCase {
        const char* key;
        const char* stored;
        std::function<std::string(const tTickerTape&)> field;
    };
    const auto flag = [](bool value) { return std::string(value ? "1" : "0"); };
    const tCase cases[] = {
        {"SkinName", "Blue\\Flat", [](const tTickerTape& t) { return t.SkinName; }},
        {"Speed", "45", [](const tTickerTape& t) { return std::to_string(t.Speed); }},
        {"Direction", "2", [](const tTickerTape& t) { return std::to_string(t.Direction); }},
        {"AutoHide", "1", [&](const tTickerTape& t) { return flag(t.AutoHide); }},
        {"MarkOldItems", "1", [&](const tTickerTape& t) { return flag(t.MarkOldItems); }},
        {"MailServer", "smtp.example.org", [](const tTickerTape& t) { return t.MailServer; }},
        {"MailAccount", "me@example.org", [](const tTickerTape& t) { return t.MailAccount; }},
        {"MailTo", "boss@example.org", [](const tTickerTape& t) { return t.MailTo; }},
        {"ShowLogos", "0", [&](const tTickerTape& t) { return flag(t.ShowLogos); }},
        {"ShowButtons", "0", [&](const tTickerTape& t) { return flag(t.ShowButtons); }},
        {"VertAlign", "1", [](const tTickerTape& t) { return std::to_string(t.VertAlign); }},
        {"TrayIcon", "0", [&](const tTickerTape& t) { return flag(t.TrayIcon); }},
        {"SendMails", "1", [&](const tTickerTape& t) { return flag(t.SendMails); }},
        {"Server", "1", [](const tTickerTape& t) { return std::to_string(t.Server); }},
        {"SkypeChat", "1", [&](const tTickerTape& t) { return flag(t.SkypeChat); }},
        {"SkypeChatTo", "chatter", [](const tTickerTape& t) { return t.SkypeChatTo; }},
        {"SkypeSMS", "1", [&](const tTickerTape& t) { return flag(t.SkypeSMS); }},
        {"SkypeSmsTo", "+3161234", [](const tTickerTape& t) { return t.SkypeSmsTo; }},
    };
    tTapeWorld plain(false);
    tIniObject defaults;
    plain.Tape->SaveSettings(defaults);
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.key);
        ASSERT_NE(defaults.ReadString("Tape_000", c.key, "absent"), c.stored);
        tTapeWorld world(false);
        world.Dir.Write("Velocrest.INI", std::string("[Tape_000]\r\n") + c.key + "=" + c.stored + "\r\n");
        world.Tape->LoadSettings();
        EXPECT_EQ(c.field(*world.Tape), c.stored);
        tIniObject saved;
        world.Tape->SaveSettings(saved);
        for (const tCase& other : cases) {
            const std::string expected =
                &other == &c ? std::string(c.stored) : defaults.ReadString("Tape_000", other.key, "absent");
            EXPECT_EQ(saved.ReadString("Tape_000", other.key, "absent"), expected) << other.key;
        }
    }
}

TEST(TickerTapeTest, ItemCountsThatLieLoadOnlyTheItemsThatExist) {
    struct tCase {
        const char* Count;
        Lines Expected;
    };
    const tCase cases[] = {
        {"3", {"AAA", "CCC"}},                 // the middle one has no symbol
        {"2000000000", {"AAA", "CCC", "EEE"}}, // far more than stored
        {"99999999999999999999", {"AAA", "CCC", "EEE"}},
        {"-5", {"AAA", "CCC", "EEE"}}, // says nothing: every stored item
        {"many", {"AAA", "CCC", "EEE"}},
        {"1", {"AAA"}},
        {"0", {}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Count);
        tTapeWorld world(false);
        world.Dir.Write("Velocrest.INI",
                        std::string("[Tape_000]\r\nAantal=") + c.Count + "\r\n" + ItemSection(0, "aaa") +
                            "[Tape_000_Item001]\r\nName=no symbol here\r\n" + ItemSection(2, "ccc") +
                            ItemSection(1500, "eee") + "[Tape_000_Item01]\r\nSymbol=BAD\r\n" +
                            "[Tape_000_Item1x]\r\nSymbol=BAD\r\n");
        world.Tape->LoadSettings();
        EXPECT_EQ(Symbols(*world.Tape), c.Expected);
    }
}

TEST(TickerTapeTest, SecondOfThreeItemsWithoutASymbolLeavesNoGapWhenSaved) {
    tTapeWorld world(false);
    world.Dir.Write("Velocrest.INI", "[Tape_000]\r\nAantal=3\r\n" + ItemSection(0, "AAA") +
                                         "[Tape_000_Item001]\r\nSymbol=\r\nName=gone\r\n"
                                         "[Tape_000_Prices001]\r\n00001=old|entry\r\n" +
                                         ItemSection(2, "CCC") +
                                         "[Tape_000_Prices002]\r\n00001=kept|entry\r\n");
    world.Tape->LoadSettings();
    ASSERT_EQ(Symbols(*world.Tape), (Lines{"AAA", "CCC"}));
    EXPECT_EQ(world.Tape->ItemAt(1).RecentTrades, (Lines{"kept|entry"}));
    tIniObject saved;
    world.Tape->SaveSettings(saved);
    EXPECT_EQ(saved.ReadInteger("Tape_000", "Aantal", -1), 2);
    EXPECT_EQ(saved.ReadString("Tape_000_Item001", "Symbol", ""), "CCC");
    EXPECT_EQ(saved.ReadString("Tape_000_Prices001", "00001", ""), "kept|entry");
    EXPECT_EQ(saved.ReadString("Tape_000_Item002", "Symbol", "absent"), "absent");
}

TEST(TickerTapeTest, SavedSettingsLoadBackToTheSameTapeAndTheSameBytes) {
    const std::string fixture = test::ReadFileBytes(test::FixturePath("tape_settings.ini"));
    ASSERT_FALSE(fixture.empty());
    tTapeWorld world(false);
    world.Dir.Write("Velocrest.INI", fixture);
    world.Tape->LoadSettings();
    const tTickerTape& tape = *world.Tape;
    ASSERT_EQ(Symbols(tape), (Lines{"MSFT", "EURUSD=X", "RDA.AS"}));
    EXPECT_EQ(tape.SkinName, "Default\\Arrow");
    EXPECT_EQ(tape.Speed, 40);
    EXPECT_EQ(tape.MailAccount, "me@example.org");
    EXPECT_EQ(tape.GainerLists, (Lines{"2", "5"}));
    const tTickerItem& msft = tape.ItemAt(0);
    EXPECT_EQ(msft.Name, "MICROSOFT");
    EXPECT_EQ(msft.Close, 27.5);
    EXPECT_EQ(msft.AlertUp, "30.125");
    EXPECT_EQ(msft.StampDown, EncodeDate(2024, 3, 14) + EncodeTime(15, 45, 0));
    EXPECT_EQ(msft.RecentTrades.size(), 3u);
    EXPECT_EQ(tape.ItemAt(1).News.size(), 2u);
    EXPECT_EQ(tape.ItemAt(2).Gainer, 5);

    tIniObject first;
    tape.SaveSettings(first);
    EXPECT_EQ(first.SaveText(), fixture);

    // And once more through a file of its own.
    test::tTempDir other;
    {
        tIniObject written(other.File("again.INI"));
        tape.SaveSettings(written);
    }
    tTapeWorld again(false);
    again.Dir.Write("Velocrest.INI", other.Read("again.INI"));
    again.Tape->LoadSettings();
    tIniObject second;
    again.Tape->SaveSettings(second);
    EXPECT_EQ(second.SaveText(), fixture);
}

TEST(TickerTapeTest, AddSymbolAppendsOnlyNewSymbols) {
    tTapeWorld world(false);
    tTickerTape& tape = *world.Tape;
    tTickerItem* msft = tape.AddSymbol("msft", "Microsoft");
    ASSERT_NE(msft, nullptr);
    EXPECT_EQ(msft->Symbol, "MSFT");
    EXPECT_EQ(msft->Name, "Microsoft");
    EXPECT_EQ(msft->ImageWidth, -1);
    EXPECT_EQ(tape.AddSymbol("MSFT", "again"), nullptr);
    EXPECT_EQ(tape.AddSymbol("", "no symbol"), nullptr);
    tTickerItem* longOne = tape.AddSymbol("abcdefghijklmnopqrstuvwxyz", "");
    ASSERT_NE(longOne, nullptr);
    EXPECT_EQ(longOne->Symbol, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(longOne->Name, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(tape.IndexOfSymbol("Msft"), 0);
    EXPECT_EQ(tape.IndexOfSymbol("abcdefghijklmnopqrst"), 1);
    EXPECT_EQ(tape.IndexOfSymbol("IBM"), -1);
    EXPECT_FALSE(tape.Paused);
    EXPECT_EQ(tape.BuildRequestList(), (Lines{"YAHTICK|MSFT", "YAHTICK|ABCDEFGHIJKLMNOPQRST"}));
    // A hold that was set before the change (the mouse is over the tape) stays set.
    tape.Paused = true;
    ASSERT_NE(tape.AddSymbol("IBM", ""), nullptr);
    tape.RemoveItem(tape.ItemAt(0));
    EXPECT_TRUE(tape.Paused);
}

TEST(TickerTapeTest, RemovingRenumbersAndForgetsTheHeadItemOnlyWhenItGoes) {
    tTapeWorld world;
    tTickerTape& tape = *world.Tape;
    for (const char* symbol : {"A", "B", "C", "D"}) {
        tape.AddSymbol(symbol, "");
    }
    tape.HeadItem = &tape.ItemAt(2);
    tape.HeadOffset = 17;
    tape.RemoveItem(tape.ItemAt(0));
    EXPECT_EQ(Symbols(tape), (Lines{"B", "C", "D"}));
    EXPECT_EQ(tape.HeadItem, &tape.ItemAt(1));
    EXPECT_EQ(world.Hooks.Repaints, 0);

    tape.RemoveItem(tape.ItemAt(1));
    EXPECT_EQ(Symbols(tape), (Lines{"B", "D"}));
    EXPECT_EQ(tape.HeadItem, nullptr);
    EXPECT_EQ(tape.HeadOffset, 0);
    EXPECT_EQ(world.Hooks.Repaints, 1);
    EXPECT_FALSE(tape.Paused);

    tTickerItem stranger;
    stranger.Symbol = "ZZZ";
    tape.RemoveItem(stranger);
    EXPECT_EQ(Symbols(tape), (Lines{"B", "D"}));

    tape.HeadItem = &tape.ItemAt(0);
    tape.ClearItems();
    EXPECT_EQ(tape.ItemCount(), 0);
    EXPECT_EQ(tape.HeadItem, nullptr);
}

TEST(TickerTapeTest, ItemIdsOutliveListChangesAndAreNeverGivenTwice) {
    tTapeWorld world;
    tTickerTape& tape = *world.Tape;
    for (const char* symbol : {"A", "B", "C"}) {
        tape.AddSymbol(symbol, "");
    }
    const tItemId a = tape.ItemAt(0).Id;
    const tItemId b = tape.ItemAt(1).Id;
    const tItemId c = tape.ItemAt(2).Id;
    EXPECT_NE(a, kNoItemId);
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_NE(a, c);

    // B moves to the front and keeps its Id; A's Id names nothing any more.
    tape.RemoveItem(tape.ItemAt(0));
    EXPECT_EQ(tape.ItemAt(0).Id, b);
    ASSERT_NE(tape.ItemWithId(b), nullptr);
    EXPECT_EQ(tape.ItemWithId(b)->Symbol, "B");
    EXPECT_EQ(tape.ItemWithId(a), nullptr);
    EXPECT_EQ(tape.ItemWithId(kNoItemId), nullptr);

    // The same symbol coming back is a new item.
    tape.ClearItems();
    tape.AddSymbol("A", "");
    const tItemId again = tape.ItemAt(0).Id;
    for (const tItemId old : {a, b, c}) {
        EXPECT_NE(again, old);
        EXPECT_EQ(tape.ItemWithId(old), nullptr);
    }
    EXPECT_EQ(tape.ItemWithId(again), &tape.ItemAt(0));
}

TEST(TickerTapeTest, GainerItemsComeAtMostTenAtATimeAndGoTogether) {
    tTapeWorld world;
    tTickerTape& tape = *world.Tape;
    tape.AddSymbol("S03", "mine");
    tape.AddSymbol("S07", "mine too");
    Lines lines;
    for (int i = 1; i <= 15; ++i) {
        const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
        lines.push_back("Name " + n + "|S" + n + "|" + std::to_string(i) + ".5|" + std::to_string(i) + "|");
    }
    EXPECT_TRUE(tape.AddGainerItems(4, lines));
    // S03 and S07 were already there and do not count toward the ten.
    EXPECT_EQ(Symbols(tape),
              (Lines{"S03", "S07", "S01", "S02", "S04", "S05", "S06", "S08", "S09", "S10", "S11", "S12"}));
    const tTickerItem& s12 = tape.ItemAt(tape.IndexOfSymbol("S12"));
    EXPECT_EQ(s12.Name, "Name 12");
    EXPECT_EQ(s12.Close, 12.5);
    EXPECT_EQ(s12.Prev, 12);
    EXPECT_EQ(s12.Date, test::kTapeNow);
    EXPECT_EQ(s12.Gainer, 4);
    EXPECT_EQ(tape.ItemAt(0).Gainer, 0);
    EXPECT_FALSE(tape.AddGainerItems(4, {"x|S01|1|1", "y|S02|1|1"}));

    tape.HeadItem = &tape.ItemAt(tape.IndexOfSymbol("S05"));
    EXPECT_FALSE(tape.RemoveGainerItems(9));
    EXPECT_TRUE(tape.RemoveGainerItems(4));
    EXPECT_EQ(Symbols(tape), (Lines{"S03", "S07"}));
    EXPECT_EQ(tape.HeadItem, nullptr);
    EXPECT_FALSE(tape.Paused);
    EXPECT_EQ(world.Hooks.Repaints, 2);
}

TEST(TickerTapeTest, WebLinksCarryTheLogon) {
    tTapeWorld world;
    tTickerTape& tape = *world.Tape;
    tape.OpenProfile("MSFT");
    tape.MailAccount = "me+you@example.org";
    tape.OpenNewsLink("http://news.example/a?b=c&d");
    tape.OpenGainersLink("http://quotes.example/gainers");
    EXPECT_EQ(
        world.Hooks.Urls,
        (Lines{"https://velocrest.example/profile/index.html?symbol=MSFT&logon=guest%40velocrest.example",
               "https://velocrest.example/profile/news.html?logon=me%2Byou%40example.org"
               "&url=http://news.example/a?b=c&d",
               "https://velocrest.example/profile/gainers.html?logon=me%2Byou%40example.org"
               "&url=http://quotes.example/gainers"}));
}

} // namespace
} // namespace vc
