#include "tape/profile.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "support/failing_writer.h"
#include "support/temp_dir.h"
#include "tape/ini_object.h"
#include "tape/tape_test_support.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
protected:
    test::tTempDir dir_;
    const std::string path_ = dir_.File("Velocrest.INI");
};

TEST_F(ProfileTest, ReadStringFindsTheFirstMatchingKeyTrimmedAndCut) {
    const std::string long400(400, 'L');
    dir_.Write("Velocrest.INI", "Outside=0\r\n"
                                "[General]\r\n"
                                "Language=  3  \r\n"
                                "Language=4\r\n"
                                "Long=" +
                                    long400 +
                                    "\r\n"
                                    "Cut=" +
                                    std::string(298, 'c') +
                                    " x\r\n"
                                    "Empty=\r\n"
                                    "[FormSizing\r\n"
                                    "Main=1,2,3,4\r\n"
                                    "[general]\r\n"
                                    "Later=yes\n");
    struct tCase {
        const char* Section;
        const char* Key;
        std::string Default;
        std::string Expected;
    };
    const tCase cases[] = {
        {"General", "Language", "d", "3"},
        {"GENERAL", " language ", "d", "3"},
        {"General", "Long", "d", long400.substr(0, 299)},
        // Cut to 299 characters first, trimmed after: the blank before the "x" goes too.
        {"General", "Cut", "d", std::string(298, 'c')},
        {"General", "Empty", "d", ""},
        {"General", "Later", "d", "yes"},
        {"FormSizin", "Main", "d", "1,2,3,4"},
        {"General", "Absent", "  default  ", "default"},
        {"General", "Absent", std::string(350, 'D'), std::string(299, 'D')},
        {"General", "Outside", "d", "d"},
        {"Absent", "Language", "d", "d"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Section) + "|" + c.Key);
        EXPECT_EQ(ProfileReadString(path_, c.Section, c.Key, c.Default), c.Expected);
    }
    EXPECT_EQ(ProfileReadString(dir_.File("absent.INI"), "General", "Language", "none"), "none");
}

TEST_F(ProfileTest, ReadIntegerAndBoolConvertTheText) {
    dir_.Write("Velocrest.INI",
               "[General]\r\nSpeed=30\r\nHalf= 2.7 \r\nNeg=-4\r\nWord=yes\r\nZero=0\r\nTwo=2\r\nEmpty=\r\n");
    struct tCase {
        const char* Key;
        int Default;
        int Integer;
        bool Bool;
    };
    const tCase cases[] = {
        {"Speed", 5, 30, true}, {"Half", 5, 2, true},   {"Neg", 5, -4, true},
        {"Word", 5, 0, false},  {"Zero", 5, 0, false},  {"Two", 0, 2, true},
        {"Empty", 5, 0, false}, {"Absent", 7, 7, true}, {"Absent", 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Key);
        EXPECT_EQ(ProfileReadInteger(path_, "General", c.Key, c.Default), c.Integer);
        EXPECT_EQ(ProfileReadBool(path_, "General", c.Key, c.Default != 0), c.Bool);
    }
}

TEST_F(ProfileTest, WriteKeepsEveryOtherLineWhereItWas) {
    struct tCase {
        const char* Name;
        std::string Before;
        const char* Section;
        const char* Key;
        const char* Value;
        std::string After;
    };
    const tCase cases[] = {
        {"replace in place", "[Z]\r\na=1\r\n[General]\r\nSpeed=30\r\nLanguage=3\r\n", "general", "SPEED",
         "40", "[Z]\r\na=1\r\n[General]\r\nSPEED=40\r\nLanguage=3\r\n"},
        {"new key after the section's last line", "[General]\r\nSpeed=30\r\n\r\n[Other]\r\nx=1\r\n",
         "General", "Height", "20", "[General]\r\nSpeed=30\r\nHeight=20\r\n\r\n[Other]\r\nx=1\r\n"},
        {"new key in an empty section", "[General]\r\n\r\n[Other]\r\nx=1\r\n", "General", "Height", "20",
         "[General]\r\nHeight=20\r\n\r\n[Other]\r\nx=1\r\n"},
        {"new key goes to the first of repeated sections", "[G]\r\na=1\r\n[H]\r\n[G]\r\nb=2\r\n", "G", "c",
         "3", "[G]\r\na=1\r\nc=3\r\n[H]\r\n[G]\r\nb=2\r\n"},
        {"key found in a repeated section", "[G]\r\na=1\r\n[H]\r\n[g]\r\nb=2\r\n", "G", "b", "9",
         "[G]\r\na=1\r\n[H]\r\n[g]\r\nb=9\r\n"},
        {"new section at the end", "[General]\r\nSpeed=30\r\n", "FormSizing", "Main", "1,2",
         "[General]\r\nSpeed=30\r\n\r\n[FormSizing]\r\nMain=1,2\r\n"},
        {"new section after a blank last line", "[General]\r\nSpeed=30\r\n\r\n", "FormSizing", "Main", "1,2",
         "[General]\r\nSpeed=30\r\n\r\n[FormSizing]\r\nMain=1,2\r\n"},
        {"LF file gets CR LF, odd lines kept", "junk line\n; note\n[General]\nSpeed=30", "General", "Speed",
         "1", "junk line\r\n; note\r\n[General]\r\nSpeed=1\r\n"},
        {"header without ] as tIniObject reads it", "[Generalx\r\nSpeed=30\r\n", "General", "Speed", "1",
         "[Generalx\r\nSpeed=1\r\n"},
        {"empty file", "", "General", "Speed", "30", "[General]\r\nSpeed=30\r\n"},
        {"value with a line break is cut", "", "General", "Name", "first\r\nInjected=1",
         "[General]\r\nName=first\r\n"},
        {"blanks kept in the value", "", "S", "K", "  v  ", "[S]\r\nK=  v  \r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        dir_.Write("Velocrest.INI", c.Before);
        EXPECT_TRUE(ProfileWriteString(path_, c.Section, c.Key, c.Value));
        EXPECT_EQ(dir_.Read("Velocrest.INI"), c.After);
    }
}

TEST_F(ProfileTest, WriteCreatesAMissingFileAndCutsKeyAndValue) {
    const std::string key(350, 'k');
    const std::string value(350, 'v');
    ASSERT_TRUE(ProfileWriteString(path_, "General", key, value));
    EXPECT_EQ(dir_.Read("Velocrest.INI"),
              "[General]\r\n" + key.substr(0, 300) + "=" + value.substr(0, 300) + "\r\n");
    EXPECT_EQ(ProfileReadString(path_, "General", key.substr(0, 300), ""), value.substr(0, 299));
}

TEST_F(ProfileTest, BothAccessPathsReadEachOthersFiles) {
    {
        tIniObject ini(path_);
        ini.WriteString("Tape_000", "Speed", "30");
        ini.WriteFloat("Tape_000_Item000", "Close", 12.34);
    }
    EXPECT_EQ(ProfileReadInteger(path_, "Tape_000", "Speed", 0), 30);
    EXPECT_EQ(ProfileReadString(path_, "Tape_000_Item000", "Close", ""), "12.340000");
    ASSERT_TRUE(ProfileWriteString(path_, "General", "Language", "3"));
    ASSERT_TRUE(ProfileWriteString(path_, "Tape_000", "Speed", "45"));
    tIniObject ini(path_);
    EXPECT_EQ(ini.ReadInteger("General", "Language", 0), 3);
    EXPECT_EQ(ini.ReadInteger("Tape_000", "Speed", 0), 45);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("Tape_000_Item000", "Close", 0), 12.34);
}

TEST_F(ProfileTest, WriteRefusesWhatItCannotRewriteWhole) {
    const std::string scrambled = "#6341\r\n\r\nKYO\r\nkXx\r\n";
    dir_.Write("Skin.INI", scrambled);
    EXPECT_FALSE(ProfileWriteString(dir_.File("Skin.INI"), "A", "k", "w"));
    EXPECT_EQ(dir_.Read("Skin.INI"), scrambled);
    EXPECT_EQ(ProfileReadString(dir_.File("Skin.INI"), "A", "k", "default"), "default");

    fs::create_directory(dir_.Path() / "Folder.INI");
    EXPECT_FALSE(ProfileWriteString(dir_.File("Folder.INI"), "A", "k", "w"));
    EXPECT_TRUE(fs::is_directory(dir_.Path() / "Folder.INI"));

    {
        // Larger than a settings file may be: it is not read, and only part of it could be kept,
        // so nothing is written.
        const test::tLowerFileLimit limit(1 << 16);
        const std::string big = "[A]\r\nk=v\r\n" + std::string((1 << 16) + 1, 'x');
        dir_.Write("Big.INI", big);
        EXPECT_FALSE(ProfileWriteString(dir_.File("Big.INI"), "A", "k", "w"));
        EXPECT_EQ(dir_.Read("Big.INI"), big);
        EXPECT_EQ(ProfileReadString(dir_.File("Big.INI"), "A", "k", "<not read>"), "<not read>");
    }

    dir_.Write("Velocrest.INI", "[A]\r\nk=v\r\n");
    EXPECT_FALSE(ProfileWriteString(path_, "", "k", "w"));
    EXPECT_FALSE(ProfileWriteString(path_, "A", "  ", "w"));
    EXPECT_FALSE(ProfileWriteString(path_, "A", "k=x", "w"));
    EXPECT_FALSE(ProfileWriteString(path_, "A\r\n[B]", "k", "w"));
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "[A]\r\nk=v\r\n");
}

TEST_F(ProfileTest, LongLinesAreReadAndKeptWhole) {
    const std::string huge((2 << 20) + 3, 'h');
    const std::string text = "[A]\r\nHuge=" + huge + "\r\nk=v\r\n";
    dir_.Write("Velocrest.INI", text);
    // A long line is a key like any other, and the keys after it are still found.
    EXPECT_EQ(ProfileReadString(path_, "A", "Huge", ""), huge.substr(0, 299));
    ASSERT_TRUE(ProfileWriteString(path_, "A", "k", "w"));
    EXPECT_EQ(dir_.Read("Velocrest.INI"), "[A]\r\nHuge=" + huge + "\r\nk=w\r\n");
}

TEST_F(ProfileTest, FailedWriteLeavesTheOldFile) {
    std::string old = "[General]\r\n";
    for (int i = 0; i < 500; ++i) {
        old += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    dir_.Write("Velocrest.INI", old);
    test::tFullDiskWriter disk(old.size() / 2);
    EXPECT_FALSE(ProfileWriteString(path_, "General", "Key1", "changed", disk.Fn()));
    EXPECT_EQ(disk.Written(), old.size() / 2);
    EXPECT_EQ(dir_.Read("Velocrest.INI"), old);
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path()), 0);

    fs::create_directory(dir_.Path() / "locked");
    dir_.Write("locked/Velocrest.INI", old);
    const std::string locked = dir_.File("locked/Velocrest.INI");
    // Neither the folder nor the file may be written.
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    const int result = test::RunInReadOnlyFolder(dir_.Path() / "locked", [&] {
        return ProfileReadString(locked, "General", "Key1", "") == "1" &&
               !ProfileWriteString(locked, "General", "Key1", "changed");
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(dir_.Read("locked/Velocrest.INI"), old);

    // A writable file in the same folder is changed in place.
    ASSERT_EQ(::chmod(locked.c_str(), 0666), 0);
    const int inPlace = test::RunInReadOnlyFolder(dir_.Path() / "locked", [&] {
        return ProfileWriteString(locked, "General", "Key1", "changed") &&
               ProfileReadString(locked, "General", "Key1", "") == "changed";
    });
    EXPECT_EQ(inPlace, 1);
    EXPECT_EQ(ProfileReadString(locked, "General", "Key1", ""), "changed");
    EXPECT_EQ(ProfileReadString(locked, "General", "Key499", ""), "499");
    EXPECT_EQ(test::CountTemporaryFiles(dir_.Path() / "locked"), 0);
}

} // namespace
} // namespace vc
