#include "dialogs/add_symbols.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

using tLines = std::vector<std::string>;

std::vector<std::string> Texts(const std::vector<tFoundSymbol>& rows) {
    std::vector<std::string> texts;
    for (const tFoundSymbol& row : rows) {
        texts.push_back(row.Symbol + "/" + row.Name + "/" + row.Market);
    }
    return texts;
}

TEST(AddSymbolsTest, SearchRowsAndTheQueryRow) {
    EXPECT_EQ(LookupKind("^dj"), "I");
    EXPECT_EQ(LookupKind("ing"), "S");
    const tLines found = {"INGA.AS|ING Groep N.V.|Amsterdam|Stock", "ING|ING Groep|NYSE|"};
    const struct {
        const char* Query;
        tLines Lines;
        tLines Rows;
    } cases[] = {
        {"ing", found, {"INGA.AS/ING GROEP N.V./Amsterdam", "ING/ING GROEP/NYSE"}},
        {" ing groep ", found, {"INGA.AS/ING GROEP N.V./Amsterdam", "ING/ING GROEP/NYSE"}},
        {"inga", found, {"INGA.AS/ING GROEP N.V./Amsterdam", "ING/ING GROEP/NYSE", "INGA/INGA/Default"}},
        {"zztop", {}, {"ZZTOP/ZZTOP/Default"}},
        {"  ", {}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Texts(SearchRows(c.Query, c.Lines)), c.Rows) << c.Query;
    }
    EXPECT_EQ(FoundText(0), "No symbols found");
    EXPECT_EQ(FoundText(3), "3 symbol(s) found");
    EXPECT_EQ(ProfileHint("ing groep"), "Profile for \"ING GROEP\"...");
}

TEST(AddSymbolsTest, ImportAndTheChosenList) {
    EXPECT_EQ(Texts(ImportRows({"Microsoft Corp|MSFT", "Asml Holding|ASML.AS"})),
              (tLines{"MSFT/MICROSOFT CORP/CSV Import", "ASML.AS/ASML HOLDING/CSV Import"}));
    const struct {
        tFoundSymbol Row;
        const char* Chosen;
    } cases[] = {
        {{"MSFT", "MICROSOFT CORP", "NMS"}, "MSFT|MICROSOFT"},
        // Cut first, so an ending beyond the twentieth character is no longer there to remove.
        {{"MSFT", "MICROSOFT CORPORATION", "NMS"}, "MSFT|MICROSOFT CORPORATIO"},
        {{"AAPL", "Apple Inc.", "NMS"}, "AAPL|APPLE"},
        {{"X", "A NAME LONGER THAN TWENTY CHARACTERS", "NYSE"}, "X|A NAME LONGER THAN T"},
        {{"KPN.AS", "KONINKLIJKE KPN N", "AMS"}, "KPN.AS|KPN"},
        {{"ODD", "BAD\x01|NAME", "NYSE"}, "ODD|BAD  NAME"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChosenSymbol(c.Row), c.Chosen) << c.Row.Name;
    }
}

} // namespace
} // namespace vc
