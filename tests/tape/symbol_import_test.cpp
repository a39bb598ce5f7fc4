#include "tape/symbol_import.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "tape_test_support.h"

namespace vc {
namespace {

using Lines = std::vector<std::string>;

TEST(SymbolImportTest, DelimitedText) {
    struct tCase {
        const char* Title;
        std::string Bytes;
        Lines Expected;
    };
    const tCase cases[] = {
        {"comma with a header", "<SYMBOL>,<NAME>\r\nmsft,Microsoft\r\n", {"Microsoft|MSFT"}},
        {"ticker header and tab",
         "<ticker>\t<name>\nIBM\tInt. Business Machines\n",
         {"Int. Business Machin|IBM"}},
        {"semicolon with a number for a name",
         "IBM;123\r\nASML;-12.5\r\nHEIA;1.2.3\r\n",
         {"1.2.3|HEIA", "ASML|ASML", "IBM|IBM"}},
        {"quoted fields", "\"ING\",\"ING Groep\"\r\n", {"ING Groep|ING"}},
        {"quotes go from three characters on", "\"A\",\"\"\r\n", {"\"\"|A"}},
        {"separator chosen once on the first non-empty line",
         "\r\n   \r\nAAA;x,y\r\nBBB,z;w\r\n",
         {"w|BBB,Z", "x,y|AAA"}},
        {"tab wins over semicolon", "A\tB;C\r\n", {"B;C|A"}},
        {"blanks trimmed, name cut to 20 then trimmed",
         "  aex , Amsterdam Exchanges Index  \r\n",
         {"Amsterdam Exchanges|AEX"}},
        {"symbol only", "KPN\r\n", {"|KPN"}},
        {"sorted without duplicates", "b,Bee\r\na,Aa\r\nb,Bee\r\nb,Other\r\n", {"Aa|A", "Bee|B", "Other|B"}},
        {"only separators", ",,,\r\n , , \r\n,\r\n", {}},
        {"lone CR line ends", "X1,One\rX2,Two\r", {"One|X1", "Two|X2"}},
        {"empty", "", {}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Title);
        EXPECT_EQ(ReadDelimitedSymbols(c.Bytes), c.Expected);
    }
}

TEST(SymbolImportTest, HugeLinesAndBinaryBytesAreReadAsFarAsSensible) {
    std::string bytes = "AAA," + std::string(10u << 20, 'n') + "\r\nBBB,Bee\r\n";
    EXPECT_EQ(ReadDelimitedSymbols(bytes), (Lines{"Bee|BBB", "nnnnnnnnnnnnnnnnnnnn|AAA"}));
    std::string binary;
    for (int i = 0; i < 70000; ++i) {
        binary += static_cast<char>((i * 131 + 7) % 256);
    }
    const Lines read = ReadDelimitedSymbols(binary);
    for (const std::string& line : read) {
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
    }
}

TEST(SymbolImportTest, ManyDistinctSymbolsStopAtTheCap) {
    std::string bytes;
    for (std::size_t i = 0; i < kMaxSymbolEntries + 500; ++i) {
        bytes += "S" + std::to_string(i) + "\n";
    }
    EXPECT_EQ(ReadDelimitedSymbols(bytes).size(), kMaxSymbolEntries);
}

TEST(SymbolImportTest, FilesAreReadByTheirKind) {
    test::tTempDir dir;
    dir.Write("list.csv", "<SYMBOL>,<NAME>\r\nmsft,Microsoft\r\n");
    dir.Write("screen.SeL",
              "[Criteria]\r\n00001=a|b|#Name|c\r\n00002=a|b|#TICKER\r\n00003=a|b|#SHORTNAME\r\n"
              "00005=a|b|#TICKER\r\n"
              "[Titles]\r\n00001=x|y|Microsoft Corporation|MSFT|Microsoft Corp. Ordinary Sh.\r\n"
              "00002=x|y|ING Groep| ING |  ING  \r\n00003=x|y|No symbol||\r\n"
              "00004=\r\n00005=x|y|After the gap|GAP|Gap\r\n");
    dir.Write("screen.csv", "[Criteria]\r\n00001=a|b|#TICKER\r\n");
    dir.Write("notags.sel", "[Criteria]\r\n00001=a|b|#NAME\r\n[Titles]\r\n00001=x|y|Name\r\n");
    dir.Write("noname.sel", "[Criteria]\r\n00001=a|b|#TICKER\r\n[Titles]\r\n00001=x|y|ABC\r\n");
    struct tCase {
        const char* File;
        Lines Expected;
    };
    const tCase cases[] = {
        {"list.csv", {"Microsoft|MSFT"}},
        // The name column is the last of #NAME and #SHORTNAME; the one #TICKER criterion counts,
        // the numbering stops at the first gap.
        {"screen.SeL", {"ING|ING", "Microsoft Corp. Ordi|MSFT"}},
        {"screen.csv", {"b|00001=A", "|[CRITERIA]"}},
        {"notags.sel", {}},
        {"noname.sel", {"|ABC"}},
        {"missing.sel", {}},
        {"missing.csv", {}},
        {".", {}},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.File);
        EXPECT_EQ(ReadSymbolFile(dir.File(c.File)), c.Expected);
    }
}

TEST(SymbolImportTest, OnlyTheFrontOfAHugeFileIsRead) {
    test::tTempDir dir;
    std::string bytes = "FIRST,First\r\n";
    bytes.append(50u << 20, ' ');
    bytes += "\r\nLAST,Last\r\n";
    dir.Write("huge.csv", bytes);
    EXPECT_EQ(ReadSymbolFile(dir.File("huge.csv")), (Lines{"First|FIRST"}));
}

TEST(SymbolImportTest, ImportFileAddsOnlyNewSymbols) {
    test::tTapeWorld world(false);
    tTickerTape& tape = *world.Tape;
    tape.AddSymbol("IBM", "");
    world.Dir.Write("one.csv", "ibm;International\r\n");
    world.Dir.Write("two.csv", "ibm;International\r\nasml;ASML Holding\r\n");
    EXPECT_FALSE(tape.ImportFile(world.Dir.File("one.csv")));
    EXPECT_TRUE(tape.ImportFile(world.Dir.File("two.csv")));
    ASSERT_EQ(tape.ItemCount(), 2);
    EXPECT_EQ(tape.ItemAt(1).Symbol, "ASML");
    EXPECT_EQ(tape.ItemAt(1).Name, "ASML Holding");
    EXPECT_FALSE(tape.ImportFile(world.Dir.File("absent.csv")));
}

TEST(SymbolImportTest, SetupFolderCsvFilesAreImportedAndDeleted) {
    test::tTapeWorld world(false);
    world.Dir.Write("SeTuP/b.CsV", "BBB,Bee\r\n");
    world.Dir.Write("SeTuP/a.csv", "AAA,Aa\r\n");
    world.Dir.Write("SeTuP/keep.txt", "TXT,Text\r\n");
    world.Dir.Write("SeTuP/deeper/c.csv", "CCC,Cc\r\n");
    world.Dir.Write("Velocrest.INI", "[Tape_000]\r\nAantal=0\r\n");
    world.Tape->LoadSettings();
    ASSERT_EQ(world.Tape->ItemCount(), 2);
    EXPECT_EQ(world.Tape->ItemAt(0).Symbol, "AAA");
    EXPECT_EQ(world.Tape->ItemAt(1).Symbol, "BBB");
    EXPECT_FALSE(world.Dir.Exists("SeTuP/a.csv"));
    EXPECT_FALSE(world.Dir.Exists("SeTuP/b.CsV"));
    EXPECT_TRUE(world.Dir.Exists("SeTuP/keep.txt"));
    EXPECT_TRUE(world.Dir.Exists("SeTuP/deeper/c.csv"));
}

} // namespace
} // namespace vc
