#include "tape/ini_object.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "support/failing_writer.h"
#include "support/temp_dir.h"
#include "tape/tape_test_support.h"
#include "toolkit/text.h"

namespace vc {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::unique_ptr<tIniObject> FromText(std::string_view text) {
    auto ini = std::make_unique<tIniObject>();
    ini->LoadFromBytes(text);
    return ini;
}

// The value text a typed write leaves, seen through a section dump.
std::string WrittenValue(const std::function<void(tIniObject&)>& write) {
    tIniObject ini;
    write(ini);
    const auto lines = ini.ReadSection("S");
    if (!lines || lines->size() != 1) {
        return "<no single entry>";
    }
    return lines->front().substr(lines->front().find('=') + 1);
}

// ---- Value encodings ---------------------------------------------------------------------------

TEST(IniEncodingTest, FloatIsWrittenWithSixDecimalsInTwentyCharacters) {
    struct tCase {
        double Value;
        std::string Text;
    };
    const tCase cases[] = {
        {12.34, std::string(11, ' ') + "12.340000"},
        {0.0, std::string(12, ' ') + "0.000000"},
        {-0.0, std::string(12, ' ') + "0.000000"},
        {-1.5, std::string(11, ' ') + "-1.500000"},
        {0.0000004, std::string(12, ' ') + "0.000000"},
        {0.0000006, std::string(12, ' ') + "0.000001"},
        {123456789012.5, " 123456789012.500000"},
        // Longer than the field: only its first 20 characters are kept.
        {1e20, "10000000000000000000"},
        {-1e15, "-1000000000000000.00"},
        {std::nan(""), std::string(12, ' ') + "0.000000"},
        {INFINITY, std::string(12, ' ') + "0.000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(WrittenValue([&](tIniObject& ini) { ini.WriteFloat("S", "Close", c.Value); }), c.Text);
    }
}

TEST(IniEncodingTest, NumbersAndBoolsAreReadBackAsTheirEncodingsSay) {
    struct tCase {
        const char* Text;
        int Integer;
        double Float;
        bool Bool;
    };
    const tCase cases[] = {
        {"42", 42, 42, false},
        {"1", 1, 1, true},
        {"1 ", 1, 1, false},
        {" 1", 1, 1, false},
        {"0", 0, 0, false},
        {"-7", -7, -7, false},
        {"+5", 5, 5, false},
        {"3.9", 3, 3.9, false},
        {"-3.9", -3, -3.9, false},
        {"           12.340000", 12, 12.34, false},
        {"  17  ", 17, 17, false},
        {"", 0, 0, false},
        {"abc", 0, 0, false},
        {"12abc", 0, 0, false},
        {"12,5", 0, 0, false},
        {"1e3", 1000, 1000, false},
        {"nan", 0, 0, false},
        {"inf", 0, 0, false},
        {"-", 0, 0, false},
        {"99999999999", INT_MAX, 99999999999.0, false},
        {"-99999999999", INT_MIN, -99999999999.0, false},
        {"true", 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.Text + "'");
        auto ini = FromText(std::string("[S]\nK=") + c.Text + "\n");
        EXPECT_EQ(ini->ReadInteger("S", "K", -123), c.Integer);
        EXPECT_DOUBLE_EQ(ini->ReadFloat("S", "K", -123), c.Float);
        EXPECT_EQ(ini->ReadBool("S", "K", !c.Bool), c.Bool);
    }
}

TEST(IniEncodingTest, IntegersAndBoolsRoundTrip) {
    for (const int value : {0, 1, -1, 30, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(WrittenValue([&](tIniObject& ini) { ini.WriteInteger("S", "K", value); }),
                  std::to_string(value));
        tIniObject ini;
        ini.WriteInteger("S", "K", value);
        EXPECT_EQ(ini.ReadInteger("S", "K", 5), value);
    }
    EXPECT_EQ(WrittenValue([](tIniObject& ini) { ini.WriteBool("S", "K", true); }), "1");
    EXPECT_EQ(WrittenValue([](tIniObject& ini) { ini.WriteBool("S", "K", false); }), "0");
}

TEST(IniEncodingTest, DateTimeIsWrittenAsDayMonthYearAndClock) {
    constexpr double kSecond = 1.0 / 86400;
    struct tCase {
        double Value;
        const char* Text;
    };
    const tCase cases[] = {
        {0, " 00:00:00"},
        {1, "31/12/1899 00:00:00"},
        {2 + 3661 * kSecond, "01/01/1900 01:01:01"},
        {45000.5, "15/03/2023 12:00:00"},
        {45351 + 86399 * kSecond, "29/02/2024 23:59:59"},
        {700000, "13/07/3816 00:00:00"},
        // Outside the date range only the time is written.
        {700000.5, " 12:00:00"},
        {-1.25, " 06:00:00"},
        {std::nan(""), " 00:00:00"},
        // Rounded to the millisecond: a hair before midnight is midnight of the next day.
        {1.9999999999, "01/01/1900 00:00:00"},
        {36526 + 0.4999 * kSecond, "01/01/2000 00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        EXPECT_EQ(WrittenValue([&](tIniObject& ini) { ini.WriteDateTime("S", "Date", c.Value); }), c.Text);
    }
}

TEST(IniEncodingTest, DateTimeIsReadOnlyFromExactDateAndClockForms) {
    constexpr double kSecond = 1.0 / 86400;
    struct tCase {
        const char* Text;
        double Value;
    };
    const tCase cases[] = {
        {"31/12/1899 00:00:00", 1},
        {" 00:00:00", 0},
        {"15/03/2023 12:00:00", 45000.5},
        {"29/02/2024 23:59:59", 45351 + 86399 * kSecond},
        {"15/03/2023", 45000},
        {"15/03/2023 12:00", 45000},
        {"15/03/2023 12:00:00 trailing", 45000.5},
        {"01/01/0001 00:00:00", -693593},
        {"31/12/4999 00:00:00", 1132253},
        // A bad date part leaves the time, a bad time part leaves the date.
        {"29/02/2023 12:00:00", 0.5},
        {"31/04/2024 06:00:00", 0.25},
        {"00/01/2024 12:00:00", 0.5},
        {"01/13/2024 12:00:00", 0.5},
        {"01/01/0000 12:00:00", 0.5},
        {"01/01/5000 12:00:00", 0.5},
        {"1/01/2024  12:00:00", 0.5},
        {"15-03-2023 12:00:00", 0.5},
        {"+5/03/2023 12:00:00", 0.5},
        {"15/03/2023 24:00:00", 45000},
        {"15/03/2023 12:60:00", 45000},
        {"15/03/2023 12:00:60", 45000},
        {"15/03/2023 12.00.00", 45000},
        {"15/03/2023 1:00:000", 45000},
        {"", 0},
        {"garbage", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.Text + "'");
        auto ini = FromText(std::string("[S]\nDate=") + c.Text + "\n");
        EXPECT_NEAR(ini->ReadDateTime("S", "Date", -1), c.Value, 1e-9);
    }
}

TEST(IniEncodingTest, DateTimeRoundTripsToTheSecond) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> range(1, 700000);
    for (int i = 0; i < 2000; ++i) {
        const double seconds = std::round(range(random) * 86400);
        const double value = seconds / 86400;
        tIniObject ini;
        ini.WriteDateTime("S", "Date", value);
        ASSERT_NEAR(ini.ReadDateTime("S", "Date", -1), value, 1e-6) << ini.ReadString("S", "Date", "");
    }
}

TEST(IniEncodingTest, ColoursAreReadByNameOrNumber) {
    struct tCase {
        const char* Text;
        tColor Color;
    };
    const tCase cases[] = {
        {"clRed", kClRed},
        {"CLRED", kClRed},
        {"  clWhite  ", kClWhite},
        {"clSilver", 0xC0C0C0},
        {"clOlive", 0x008080},
        {"clMoneyGreen", 0xC0DCC0},
        {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000},
        {"clScrollBar", 0x80000000},
        {"clCaptionText", 0x80000009},
        {"clBtnFace", 0x8000000F},
        {"clMenuBar", 0x8000001E},
        {"$00FF00", 0x00FF00},
        {"$8000000f", 0x8000000F},
        {"0x1FFFFFFF", kClNone},
        {"255", 0xFF},
        {"-2147483633", 0x8000000F},
        {"4294967295", 0xFFFFFFFF},
        {"", kClNone},
        {"   ", kClNone},
        // Rejected texts read as black.
        {"clBogus", 0},
        {"red", 0},
        {"$", 0},
        {"$123456789", 0},
        {"$12G", 0},
        {"4294967296", 0},
        {"-2147483649", 0},
        {"12 34", 0},
        {"1.5", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("'") + c.Text + "'");
        auto ini = FromText(std::string("[S]\nColor=") + c.Text + "\n");
        EXPECT_EQ(ini->ReadColor("S", "Color", kClLime), c.Color);
    }
}

TEST(IniEncodingTest, EmptyValueIsNotTheDefaultButAbsentKeyIs) {
    auto ini = FromText("[S]\nEmpty=\n");
    EXPECT_EQ(ini->ReadString("S", "Empty", "default"), "");
    EXPECT_EQ(ini->ReadInteger("S", "Empty", 9), 0);
    EXPECT_EQ(ini->ReadFloat("S", "Empty", 9.5), 0);
    EXPECT_EQ(ini->ReadColor("S", "Empty", kClRed), kClNone);
    EXPECT_EQ(ini->ReadDateTime("S", "Empty", 45000), 0);
    EXPECT_FALSE(ini->ReadBool("S", "Empty", true));

    EXPECT_EQ(ini->ReadString("S", "Absent", "default"), "default");
    EXPECT_EQ(ini->ReadInteger("S", "Absent", 9), 9);
    EXPECT_EQ(ini->ReadFloat("S", "Absent", 9.5), 9.5);
    EXPECT_EQ(ini->ReadColor("S", "Absent", kClRed), kClRed);
    EXPECT_EQ(ini->ReadDateTime("Other", "Empty", 45000), 45000);
    EXPECT_TRUE(ini->ReadBool("S", "Absent", true));
}

// ---- Loading -----------------------------------------------------------------------------------

TEST(IniLoadTest, LinesAreReadAsSectionsKeysOrIgnored) {
    struct tRead {
        const char* Section;
        const char* Key;
        const char* Value; // nullptr: absent
    };
    struct tCase {
        const char* Name;
        std::string Text;
        std::size_t Count;
        std::vector<tRead> Reads;
    };
    const tCase cases[] = {
        {"plain", "[General]\r\nSpeed=30\r\n", 1, {{"General", "Speed", "30"}}},
        {"key trimmed, value kept", "[S]\r\n  Key  =  value  \r\n", 1, {{"S", "Key", "  value  "}}},
        {"only the first = splits", "[S]\r\nA=b=c\r\n", 1, {{"S", "A", "b=c"}}},
        {"header without ]", "[Section\r\nK=1\r\n", 1, {{"Sectio", "K", "1"}, {"Section", "K", nullptr}}},
        {"header with blanks", "  [  Spaced Out  ]  \r\nK=1\r\n", 1, {{"Spaced Out", "K", "1"}}},
        {"header with text after ]", "[A]x\r\nK=1\r\n", 1, {{"A]", "K", "1"}}},
        {"empty header", "[]\r\nK=1\r\n[S]\r\nK=2\r\n", 1, {{"", "K", nullptr}, {"S", "K", "2"}}},
        {"before the first section", "K=0\r\n[S]\r\nK=1\r\n", 1, {{"S", "K", "1"}}},
        {"no comment syntax",
         "[S]\r\n;Note=x\r\n# not=either\r\n",
         2,
         {{"S", ";Note", "x"}, {"S", "# not", "either"}}},
        {"empty key, no =", "[S]\r\n=v\r\n  =v\r\njust text\r\n\r\n", 0, {}},
        {"LF line ends", "[S]\nA=1\nB=2", 2, {{"S", "A", "1"}, {"S", "B", "2"}}},
        {"lone CR line ends", "[S]\rA=1\rB=2\r", 2, {{"S", "A", "1"}, {"S", "B", "2"}}},
        {"tab is not a blank", "[S]\r\n\tK\t=1\r\n", 1, {{"S", "\tK\t", "1"}, {"S", "K", nullptr}}},
        {"sections repeat",
         "[A]\r\nX=1\r\n[B]\r\nX=2\r\n[A]\r\nY=3\r\n",
         3,
         {{"A", "X", "1"}, {"A", "Y", "3"}, {"B", "X", "2"}}},
        {"Windows-1252 letters",
         "[\xc9t\xe9]\r\n\xe9l\xe8ve=\xe0\r\n",
         1,
         {{"\xc9T\xc9", "\xc9L\xc8VE", "\xe0"}}},
        {"# on a later line", "[S]\r\n#5\r\nK=1\r\n", 1, {{"S", "K", "1"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto ini = FromText(c.Text);
        EXPECT_FALSE(ini->Scrambled());
        EXPECT_EQ(ini->ValueCount(), c.Count);
        for (const auto& r : c.Reads) {
            SCOPED_TRACE(std::string(r.Section) + "|" + r.Key);
            EXPECT_EQ(ini->ReadString(r.Section, r.Key, "<absent>"), r.Value ? r.Value : "<absent>");
        }
    }
}

TEST(IniLoadTest, LongSectionNameIsCutTo255CharactersBeforeTheLastIsDropped) {
    const std::string name(300, 'N');
    auto ini = FromText("[" + name + "]\r\nK=1\r\n");
    EXPECT_EQ(ini->ReadString(name.substr(0, 254), "K", ""), "1");
    // Saved and loaded again it keeps its 254 characters.
    ini->WriteString(name.substr(0, 254), "L", "2");
    auto again = FromText(ini->SaveText());
    EXPECT_EQ(again->ReadString(name.substr(0, 254), "K", ""), "1");
    EXPECT_EQ(again->ReadString(name.substr(0, 254), "L", ""), "2");
}

TEST(IniLoadTest, LookupsIgnoreCaseAndBlanksOfNames) {
    auto ini = FromText("[Tape_000]\r\nSpeed=30\r\n");
    EXPECT_EQ(ini->ReadString("TAPE_000", "speed", ""), "30");
    EXPECT_EQ(ini->ReadString("  tape_000 ", " SPEED  ", ""), "30");
    EXPECT_EQ(ini->ReadString("Tape_00", "Speed", "none"), "none");
    EXPECT_EQ(ini->ReadString("Tape_000", "Spee", "none"), "none");
    ini->WriteString("tape_000", "SPEED", "40");
    EXPECT_EQ(ini->ValueCount(), 1u);
    EXPECT_EQ(ini->ReadString("Tape_000", "Speed", ""), "40");
}

TEST(IniLoadTest, RepeatedKeyFindsTheFirstAndWritesReplaceOnlyIt) {
    auto ini = FromText("[S]\r\nK=first\r\nK=second\r\nk=third\r\n");
    EXPECT_EQ(ini->ValueCount(), 3u);
    EXPECT_EQ(ini->ReadString("S", "K", ""), "first");
    ini->WriteString("S", "K", "new");
    EXPECT_EQ(ini->ReadString("S", "K", ""), "new");
    EXPECT_EQ(ini->ReadSection("S"), (Lines{"K=new", "K=second", "k=third"}));
    ini->AddValue("S", "K", "added");
    EXPECT_EQ(ini->ReadString("S", "K", ""), "new");
    EXPECT_EQ(ini->ValueCount(), 4u);
    EXPECT_EQ(ini->ReadSection("S")->back(), "K=added");
}

// ---- Saving ------------------------------------------------------------------------------------

TEST(IniSaveTest, FileIsWrittenSortedWithCrLfAndBlankLinesBetweenSections) {
    tIniObject ini;
    ini.WriteString("Tape_000", "Speed", "30");
    ini.WriteString("Tape_000_Item001", "Symbol", "MSFT");
    ini.WriteString("General", "Language", "3");
    ini.WriteString("Tape_000", "Height", "20");
    ini.WriteString("Tape_000_Item000", "Symbol", "AAPL");
    ini.WriteString("Tape_000_Item000", "Name", "APPLE");
    EXPECT_EQ(ini.SaveText(), "[General]\r\nLanguage=3\r\n"
                              "\r\n[Tape_000]\r\nHeight=20\r\nSpeed=30\r\n"
                              "\r\n[Tape_000_Item000]\r\nName=APPLE\r\nSymbol=AAPL\r\n"
                              "\r\n[Tape_000_Item001]\r\nSymbol=MSFT\r\n");
}

TEST(IniSaveTest, SectionsDifferingInCaseAreWrittenAsOneBlock) {
    auto ini = FromText("[Prices]\r\nb=2\r\nd=4\r\n[Other]\r\nx=0\r\n[PRICES]\r\na=1\r\nc=3\r\n");
    EXPECT_EQ(ini->ReadString("prices", "a", ""), "1");
    EXPECT_EQ(ini->ReadString("Prices", "d", ""), "4");
    // The header is spelled as the first entry of the block in sorted order spells its section.
    EXPECT_EQ(ini->SaveText(), "[Other]\r\nx=0\r\n\r\n[PRICES]\r\na=1\r\nb=2\r\nc=3\r\nd=4\r\n");
}

TEST(IniSaveTest, LineBreaksInValuesNamesAreCutSoTheyCannotAddLines) {
    struct tCase {
        const char* Name;
        std::string Value;
        std::string Line;
    };
    const tCase cases[] = {
        {"CR LF", "first line  \r\nsecond", "K=first line"},
        {"CR", "  a \rb", "K=a"},
        // A bare LF would make "Injected=1" a key of its own when the file is read back.
        {"LF", "name\nInjected=1", "K=name"},
        {"blanks kept without a break", "  padded  ", "K=  padded  "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        tIniObject ini;
        ini.WriteString("S", "K", c.Value);
        const std::string saved = ini.SaveText();
        EXPECT_EQ(saved, "[S]\r\n" + c.Line + "\r\n");
        EXPECT_EQ(FromText(saved)->ValueCount(), 1u);
    }
    tIniObject names;
    names.WriteString("A\r\n[B", "K\nX", "v");
    EXPECT_EQ(names.SaveText(), "[A]\r\nK=v\r\n");
}

TEST(IniSaveTest, NulAndHighBytesSurviveARoundTrip) {
    const std::string key("k\0ey\x80", 6);
    const std::string value("va\0lue\xff\x01", 8);
    tIniObject ini;
    ini.WriteString("S\xe9", key, value);
    auto again = FromText(ini.SaveText());
    EXPECT_EQ(again->ReadString("S\xc9", key, "<absent>"), value);
}

class IniFileTest : public ::testing::Test {
protected:
    test::tTempDir dir_;
    const std::string path_ = dir_.File("Velocrest.INI");
    const std::string old_ = "[General]\r\nLanguage=3\r\n";
};

TEST_F(IniFileTest, CreateLoadsAndDestroySavesOnlyWhenModified) {
    dir_.Write("Velocrest.INI", "[General]\nLanguage=3\n[A]\nz=1\n");
    {
        tIniObject ini(path_);
        EXPECT_EQ(ini.FileName(), path_);
        EXPECT_EQ(ini.ReadInteger("General", "Language", 0), 3);
        EXPECT_FALSE(ini.Modified());
    }
    // Unchanged: the file is as it was, LF line ends and order included.
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "[General]\nLanguage=3\n[A]\nz=1\n");
    {
        tIniObject ini(path_);
        ini.WriteString("General", "Language", "3");
        EXPECT_TRUE(ini.Modified());
    }
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "[A]\r\nz=1\r\n\r\n[General]\r\nLanguage=3\r\n");
}

TEST_F(IniFileTest, SaveClearsModifiedAndWritesOnlyNamedObjects) {
    tIniObject ini(path_);
    EXPECT_EQ(ini.ValueCount(), 0u);
    ini.WriteInteger("General", "Language", 3);
    EXPECT_FALSE(dir_.Exists("Velocrest.INI"));
    EXPECT_TRUE(ini.Save());
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(dir_.Read("Velocrest.INI"), old_);

    tIniObject memory;
    memory.WriteInteger("General", "Language", 1);
    EXPECT_TRUE(memory.Save());
    EXPECT_TRUE(memory.Modified());
    EXPECT_EQ(dir_.Read("Velocrest.INI"), old_);
}

TEST_F(IniFileTest, LoadReplacesContentsAndFailsForMissingFile) {
    tIniObject ini(dir_.File("absent.INI"));
    ini.WriteString("S", "K", "v");
    EXPECT_FALSE(ini.Load());
    EXPECT_EQ(ini.ValueCount(), 0u);
    EXPECT_FALSE(ini.Modified());
    EXPECT_FALSE(dir_.Exists("absent.INI"));
}

TEST_F(IniFileTest, FailingDiskLeavesTheOldFileAndTheObjectModified) {
    dir_.Write("Velocrest.INI", old_);
    tIniObject ini(path_);
    for (int i = 0; i < 2000; ++i) {
        ini.WriteInteger("Tape_000_Prices000", std::to_string(i), i);
    }
    const std::size_t full = ini.SaveText().size();
    test::tFullDiskWriter disk(full / 2);
    ini.SetWriteFunction(disk.Fn());

    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(disk.Written(), full / 2);
    EXPECT_EQ(dir_.Read("Velocrest.INI"), old_);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);
    EXPECT_TRUE(ini.Modified());

    // Once there is room again the same object saves.
    ini.SetWriteFunction({});
    EXPECT_TRUE(ini.Save());
    EXPECT_EQ(tIniObject(path_).ReadInteger("Tape_000_Prices000", "1999", 0), 1999);
}

TEST_F(IniFileTest, FolderAndFileThatRefuseWritesLeaveTheOldFile) {
    fs::create_directory(dir_.Path() / "locked");
    dir_.Write("locked/Velocrest.INI", old_);
    const std::string path = dir_.File("locked/Velocrest.INI");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const int result = test::RunInReadOnlyFolder(dir_.Path() / "locked", [&] {
        tIniObject ini(path);
        // The child can read the file, so this tests the write and not the load.
        if (ini.ReadInteger("General", "Language", 0) != 3) {
            return false;
        }
        ini.WriteInteger("General", "Language", 1);
        return !ini.Save() && ini.Modified();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dir_.Read("locked/Velocrest.INI"), old_);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path() / "locked"), 0);
}

TEST_F(IniFileTest, ReadOnlyFolderWithWritableFileSavesInPlace) {
    fs::create_directory(dir_.Path() / "locked");
    dir_.Write("locked/Velocrest.INI", old_);
    const std::string path = dir_.File("locked/Velocrest.INI");
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const int result = test::RunInReadOnlyFolder(dir_.Path() / "locked", [&] {
        tIniObject ini(path);
        ini.WriteInteger("General", "Language", 1);
        return ini.Save() && !ini.Modified();
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(tIniObject(path).ReadInteger("General", "Language", 0), 1);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path() / "locked"), 0);
}

TEST_F(IniFileTest, FileNameThatIsAFolderNeitherLoadsNorSaves) {
    fs::create_directory(dir_.Path() / "Velocrest.INI");
    tIniObject ini(path_);
    EXPECT_FALSE(ini.Load());
    ini.WriteString("S", "K", "v");
    EXPECT_FALSE(ini.Save());
    EXPECT_TRUE(fs::is_directory(path_));
}

// ---- Lists and sections ------------------------------------------------------------------------

TEST(IniListTest, ListsUseFiveDigitKeysAndComeBackInOrder) {
    tIniObject ini;
    Lines list;
    for (int i = 1; i <= 12; ++i) {
        list.push_back("entry " + std::to_string(i));
    }
    ini.WriteList("Tape_000_Prices000", list);
    EXPECT_EQ(ini.ReadString("Tape_000_Prices000", "00001", ""), "entry 1");
    EXPECT_EQ(ini.ReadString("Tape_000_Prices000", "00012", ""), "entry 12");
    auto again = FromText(ini.SaveText());
    Lines read{"stale"};
    again->ReadList("Tape_000_Prices000", read);
    EXPECT_EQ(read, list);
}

TEST(IniListTest, ShorterListOverALongerOneKeepsTheTail) {
    tIniObject ini;
    ini.WriteList("L", {"a", "b", "c", "d", "e"});
    ini.WriteList("L", {"x", "y", "z"});
    Lines read;
    ini.ReadList("L", read);
    EXPECT_EQ(read, (Lines{"x", "y", "z", "d", "e"}));
}

TEST(IniListTest, ReadingWalksTheSectionFromTheFirstKey) {
    struct tCase {
        const char* Name;
        std::string Text;
        const char* Section;
        Lines Expected;
    };
    const tCase cases[] = {
        {"skips ----, stops at empty",
         "[L]\n00001=a\n00002=----\n00003=b\n00004=\n00005=c\n",
         "L",
         {"a", "b"}},
        {"keys sorting after 00001 are taken", "[L]\n00001=a\n00002=b\nName=n\n", "L", {"a", "b", "n"}},
        {"keys sorting before are not", "[L]\n0000=z\n00001=a\n", "L", {"a"}},
        {"no 00001, no list", "[L]\n00002=a\n00003=b\n", "L", {}},
        {"stops at the next section", "[L]\n00001=a\n[L2]\n00001=b\n", "L", {"a"}},
        {"section name trimmed", "[L]\n00001=a\n", "  L ", {"a"}},
        // The walk compares the section as spelled: a differently spelled header ends it.
        {"spelling must match", "[list]\n00001=a\n00002=b\n", "LIST", {}},
        {"case-variant block", "[List]\n00001=a\n[LIST]\n00002=b\n", "List", {"a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        auto ini = FromText(c.Text);
        Lines read{"stale"};
        ini->ReadList(c.Section, read);
        EXPECT_EQ(read, c.Expected);
    }
}

TEST(IniListTest, ReadSectionAndWriteSection) {
    auto ini = FromText("[Grid]\nb=2\na=1\n[GRID]\nc=3\n[Other]\nd=4\n");
    EXPECT_EQ(ini->ReadSection("grid"), (Lines{"a=1", "b=2", "c=3"}));
    EXPECT_EQ(ini->ReadSection("Absent"), std::nullopt);

    Lines lines{"x=1", "b=two=2", "no equals", "=empty key", "  y  = spaced "};
    ini->WriteSection("Grid", lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(ini->Modified());
    EXPECT_EQ(ini->ReadSection("Grid"), (Lines{"a=1", "b=two=2", "c=3", "x=1", "y= spaced "}));
}

TEST(IniListTest, SectionNamesListEveryHeaderAndWrittenSectionOnce) {
    auto ini = FromText("x=before any section\n[B]\nk=1\n[Empty]\n[A]\nk=2\n[B]\nj=3\n[b]\ni=4\n");
    ini->WriteString("New", "k", "5");
    ini->WriteString("A", "m", "6");
    EXPECT_EQ(ini->SectionNames(), (Lines{"B", "Empty", "A", "b", "New"}));
    EXPECT_TRUE(FromText("")->SectionNames().empty());
}

// ---- Scrambled form ----------------------------------------------------------------------------

TEST(IniScrambleTest, FixedKeyGivesAFixedText) {
    tIniObject ini;
    ini.LoadFromBytes("#100\r\n\r\n");
    ASSERT_TRUE(ini.Scrambled());
    ini.SetRandomSource([](int bound) {
        EXPECT_EQ(bound, 3000);
        return 0;
    });
    ini.WriteString("Tape_000", "Symbol", "MSFT");
    ini.WriteString("Tape_000", "Speed", "30");
    EXPECT_EQ(ini.SaveText(), "#6341\r\n\r\nKEzpfT345V\r\nMxnoo<&$\r\nUodthfEV]Q`\r\n");
    EXPECT_EQ(ini.ScrambleKey(), 6341);
}

TEST(IniScrambleTest, KeysDivisibleBy39Or26BecomeSeven) {
    struct tCase {
        int Drawn;
        int Key;
    };
    const tCase cases[] = {{0, 6341}, {3, 7}, {16, 7}, {2999, 9340}, {29, 7}, {55, 7}, {42, 6383}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Drawn);
        auto ini = FromText("#1\r\n");
        ini->SetRandomSource([&](int) { return c.Drawn; });
        ini->WriteString("A", "k", "v");
        const std::string saved = ini->SaveText();
        EXPECT_EQ(saved.substr(0, saved.find('\r')), "#" + std::to_string(c.Key));
        EXPECT_EQ(FromText(saved)->ReadString("A", "k", ""), "v");
    }
    auto seven = FromText("#1\r\n");
    seven->SetRandomSource([](int) { return 3; });
    seven->WriteString("A", "k", "v");
    EXPECT_EQ(seven->SaveText(), "#7\r\n\r\n;I?\r\nuHh\r\n");
}

TEST(IniScrambleTest, ScrambledFileIsReadAndSavedScrambledWithANewKey) {
    test::tTempDir dir;
    dir.Write("Skin.INI", "#6341\r\n\r\nKEzpfT345V\r\nMxnoo<&$\r\nUodthfEV]Q`\r\n");
    {
        tIniObject ini(dir.File("Skin.INI"));
        EXPECT_TRUE(ini.Scrambled());
        EXPECT_EQ(ini.ScrambleKey(), 6341);
        EXPECT_EQ(ini.ReadString("Tape_000", "Symbol", ""), "MSFT");
        EXPECT_EQ(ini.ReadInteger("Tape_000", "Speed", 0), 30);
        ini.SetRandomSource([](int) { return 1000; });
        ini.WriteString("Tape_000", "Height", "20");
    }
    const std::string saved = dir.Read("Skin.INI");
    EXPECT_EQ(saved.substr(0, 9), "#7341\r\n\r\n");
    EXPECT_EQ(saved.find("Height"), std::string::npos);
    tIniObject again(dir.File("Skin.INI"));
    EXPECT_TRUE(again.Scrambled());
    EXPECT_EQ(again.ReadString("Tape_000", "Height", ""), "20");
    EXPECT_EQ(again.ReadString("Tape_000", "Symbol", ""), "MSFT");
}

TEST(IniScrambleTest, CreatedFilesAreNeverScrambled) {
    tIniObject ini;
    ini.WriteString("A", "k", "v");
    EXPECT_FALSE(ini.Scrambled());
    EXPECT_EQ(ini.SaveText(), "[A]\r\nk=v\r\n");
    auto hash = FromText("[A]\r\n#1=x\r\n");
    EXPECT_FALSE(hash->Scrambled());
}

TEST(IniScrambleTest, KeyStaysInStepOverTheWrapAndOverLongLines) {
    tIniObject ini;
    ini.LoadFromBytes("# 9000 \r\n");
    EXPECT_EQ(ini.ScrambleKey(), 9000);
    ini.SetRandomSource([](int) { return 2999; });
    std::string printable;
    for (int i = 0; i < 70000; ++i) {
        printable += static_cast<char>(32 + i % 95);
    }
    // Long enough to pass 35000 and restart at 6852 more than once within a value.
    ini.WriteString("A", "Long", printable);
    // Lines have no limit of their own: a value of more than a megabyte comes back whole.
    const std::string huge((1 << 20) + 10, 'q');
    ini.WriteString("B", "Huge", huge);
    ini.WriteString("C", "After", "still readable");
    const std::string saved = ini.SaveText();
    auto again = FromText(saved);
    EXPECT_EQ(again->ReadString("A", "Long", ""), printable);
    EXPECT_EQ(again->ReadString("B", "Huge", "<skipped>"), huge);
    EXPECT_EQ(again->ReadString("C", "After", ""), "still readable");
}

// ---- Bad input ---------------------------------------------------------------------------------

TEST(IniBadInputTest, BinaryBytesLoadWithoutHarm) {
    std::mt19937 random(42);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    for (const std::string& text : {bytes, "#12\n" + bytes, "[S]\n" + bytes}) {
        auto ini = FromText(text);
        // Whatever was found saves and loads back to the same text.
        const std::string saved = ini->SaveText();
        auto again = FromText(saved);
        again->SetRandomSource([](int) { return 0; });
        ini->SetRandomSource([](int) { return 0; });
        EXPECT_EQ(again->SaveText(), ini->SaveText());
    }
}

TEST(IniBadInputTest, KeyRepeatedAHundredThousandTimes) {
    std::string text = "[S]\r\n";
    for (int i = 0; i < 100000; ++i) {
        text += "Key=" + std::to_string(i) + "\r\n";
    }
    auto ini = FromText(text);
    EXPECT_EQ(ini->ValueCount(), 100000u);
    EXPECT_EQ(ini->ReadString("S", "KEY", ""), "0");
    ini->WriteString("S", "Key", "replaced");
    const auto lines = ini->ReadSection("S");
    ASSERT_TRUE(lines.has_value());
    ASSERT_EQ(lines->size(), 100000u);
    EXPECT_EQ(lines->front(), "Key=replaced");
    EXPECT_EQ(lines->back(), "Key=99999");
    EXPECT_EQ(FromText(ini->SaveText())->ValueCount(), 100000u);
}

TEST(IniBadInputTest, TooManyValuesStopAtTheLimit) {
    std::string text = "[S]\n";
    text.reserve(5 * 1000100);
    for (int i = 0; i < 1000100; ++i) {
        text += "k=\n";
    }
    text += "[T]\nlast=1\n";
    auto ini = FromText(text);
    EXPECT_EQ(ini->ValueCount(), 1000000u);
    EXPECT_EQ(ini->ReadString("T", "last", "<ignored>"), "<ignored>");
}

TEST_F(IniFileTest, TwoMegabyteLineSurvivesLoadAndSaveByteExact) {
    // Every byte a value may hold, over and over; the file is in the order a save writes.
    std::string value;
    for (std::size_t i = 0; value.size() < (2u << 20) + 7; ++i) {
        const char c = static_cast<char>(1 + i % 255);
        if (c != '\r' && c != '\n') {
            value += c;
        }
    }
    const std::string text = "[A]\r\nBefore=1\r\nHuge=" + value + "\r\n\r\n[B]\r\nAfter=2\r\n";
    dir_.Write("Velocrest.INI", text);
    {
        tIniObject ini(path_);
        EXPECT_EQ(ini.ReadString("A", "Huge", "<skipped>"), value);
        EXPECT_EQ(ini.ReadString("B", "After", ""), "2");
        ini.WriteInteger("A", "Before", 1); // modified, so the destructor saves
    }
    EXPECT_EQ(dir_.Read("Velocrest.INI"), text);
}

// A file over the limit is not read in part (a save of the part would lose the rest) but kept
// whole under a name of its own before the first save, never over an earlier one.
TEST_F(IniFileTest, OverLimitFileIsNotReadAndIsKeptAsideBeforeTheFirstSave) {
    const test::tLowerFileLimit limit(4096);
    const std::string atLimit = "[A]\r\nk=" + std::string(4096 - 9, 'v') + "\r\n";
    ASSERT_EQ(atLimit.size(), 4096u);
    dir_.Write("Velocrest.INI", atLimit);
    EXPECT_EQ(tIniObject(path_).ReadString("A", "k", "").size(), 4096u - 9);

    const std::string first = atLimit + "x";
    const std::string second = "[A]\r\nk=second\r\n" + std::string(5000, 'y');
    for (const std::string& big : {first, second}) {
        dir_.Write("Velocrest.INI", big);
        tIniObject ini(path_);
        EXPECT_TRUE(ini.TooLarge());
        EXPECT_FALSE(ini.Load());
        EXPECT_EQ(ini.ValueCount(), 0u);
        // Loading alone changes nothing on disk.
        EXPECT_EQ(dir_.Read("Velocrest.INI"), big);
        ini.WriteString("General", "Fresh", "1");
        EXPECT_TRUE(ini.Save());
        EXPECT_EQ(dir_.Read("Velocrest.INI"), "[General]\r\nFresh=1\r\n");
    }
    EXPECT_EQ(dir_.Read("Velocrest.INI.too-large"), first);
    EXPECT_EQ(dir_.Read("Velocrest.INI.too-large-2"), second);
}

// A file of more values than the program keeps is refused whole as well: read in part, the values
// past the limit would be gone with the next save.
TEST_F(IniFileTest, FileOfTooManyValuesIsNotReadAndIsKeptAsideBeforeTheFirstSave) {
    std::string atLimit;
    atLimit.reserve(3 * ini::kMaxValues + 16);
    for (std::size_t i = 0; i < ini::kMaxValues; ++i) {
        atLimit += "a=\n";
    }
    EXPECT_FALSE(ini::HasTooManyValues("[A]\n" + atLimit + "[B]\n"));
    const std::string big = "[A]\n" + atLimit + "b=1";
    EXPECT_TRUE(ini::HasTooManyValues(big));

    dir_.Write("Velocrest.INI", big);
    EXPECT_TRUE(ini::IsTooLarge(path_));
    tIniObject ini(path_);
    EXPECT_TRUE(ini.TooLarge());
    EXPECT_EQ(ini.ValueCount(), 0u);
    ini.WriteString("General", "Fresh", "1");
    EXPECT_TRUE(ini.Save());
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "[General]\r\nFresh=1\r\n");
    EXPECT_EQ(dir_.Read("Velocrest.INI.too-large"), big);
}

// ---- The index against a plain model -----------------------------------------------------------

TEST(IniIndexTest, ManyMixedWritesAgreeWithASimpleModel) {
    // The model: per (upper section, upper key), the entries in the order they were added.
    std::map<std::pair<std::string, std::string>, std::vector<std::pair<std::string, std::string>>> model;
    std::mt19937 random(1234);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto spelled = [&](std::string name) {
        for (char& c : name) {
            if (pick(3) == 0) {
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            }
        }
        return name;
    };
    tIniObject ini;
    for (int step = 0; step < 30000; ++step) {
        const std::string section = spelled("SECTION" + std::to_string(pick(40)));
        const std::string key = spelled("KEY" + std::to_string(pick(60)));
        const auto slot = std::make_pair(UpperText(section), UpperText(key));
        const std::string value = std::to_string(step);
        const int action = pick(10);
        if (action < 5) {
            ini.WriteString(section, key, value);
            auto& entries = model[slot];
            if (entries.empty()) {
                entries.emplace_back(key, value);
            } else {
                entries.front().second = value;
            }
        } else if (action < 6) {
            ini.AddValue(section, key, value);
            model[slot].emplace_back(key, value);
        } else {
            const auto found = model.find(slot);
            const std::string expected = found == model.end() ? "<absent>" : found->second.front().second;
            ASSERT_EQ(ini.ReadString(section, key, "<absent>"), expected) << "step " << step;
        }
        if (step % 5000 == 4999) {
            const std::string upperSection = "SECTION" + std::to_string(pick(40));
            Lines expected;
            for (const auto& [where, entries] : model) {
                if (where.first == upperSection) {
                    for (const auto& [k, v] : entries) {
                        expected.push_back(k + "=" + v);
                    }
                }
            }
            const auto lines = ini.ReadSection(upperSection);
            ASSERT_EQ(lines.value_or(Lines{}), expected) << "step " << step;
        }
    }
    EXPECT_EQ(FromText(ini.SaveText())->SaveText(), ini.SaveText());
}

} // namespace
} // namespace vc
