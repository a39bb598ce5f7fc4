#include "market/market_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/translation.h"
#include "toolkit/vocabulary.h"

namespace vc {
namespace {

TEST(MarketTables, WholeNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"ROY.PHILIPS ELECT", "PHILIPS"},
        {"Koninklijke KPN N", "KPN"},
        {"KONINKLIJKE NUMIC", "NUMICO"},
        {"ROYAL DUTCH SHELL", "ROYAL D. SHELL"},
        {"KBC GR", "KBC"},
        {"Groupe Delhaize", "DELHAIZE"},
        {"EUR AERO DEFENCE", "E.A.D.S."},
        {"BAYR.HYPO-U.VERBK", "BAY.HYPO."},
        {"DEUTSCHE TELEKOM N", "DT.TELEKOM"},
        {"DEUTSCHE POSTBANK N", "DT.POSTBANK"},
        {"EURONEXT BEL-20", "BEL-20"},
        {"DOW JONES INDUSTR", "DOW-JONES"},
        {"NASDAQ COMPOSITE", "NASDAQ"},
        {"NASDAQ-100 (DRM)", "NASDAQ-100"},
        {"S&P 500 INDEX,RTH", "S&P 500"},
        {"S&P 100 INDEX,RTH", "S&P 100"},
        {"EUR to USD", "EUR (USD)"},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(NormalizeName(name), expected) << name;
    }
}

// Every ending once, after a name no ending touches.
TEST(MarketTables, EachEndingIsRemoved) {
    const char* endings[] = {
        "(UITK.)",    "(UITK)",       "(KAP.)", "(KAP)",         "(CRT.)",   "(CRT)",   "CERT",
        ",KON",       " KON",         "GROUP",  "GRP",           "GP",       "INC",     "INC.",
        "REG",        "REG.",         "INTL",   "PLC",           "ORDINARY", "HLD",     "HLDS",
        "HLD.",       "HLDG",         "HDG",    "HDGS",          "HLDGS",    "HOLDING", "HOLDINGS",
        "LTD",        "LIMITED",      "CORP",   "CORP.",         " COMPANY", " & CO",   " CO",
        " CO.",       "CP",           " ADS",   "ADR",           "TR",       " EUROPE", " BANKIERS",
        " N",         " NV",          " N.V.",  "INTERNATIONAL", " INT",     " INT.",   " UNIT",
        " AG",        " SA",          " -A-",   "-B-",           " -",       ",",       "FPO",
        "INDUSTRIES", "TECHNOLOGIES",
    };
    ASSERT_EQ(std::size(endings), 58u);
    for (const char* ending : endings) {
        EXPECT_EQ(NormalizeName(std::string("Zeta ") + ending), "Zeta") << ending;
    }
}

TEST(MarketTables, NamesAsTheTapeShowsThem) {
    const std::pair<const char*, const char*> cases[] = {
        {"MICROSOFT CORP", "MICROSOFT"},
        {"Apple Inc.", "Apple"},
        {"ING GROEP N.V.", "ING GROEP"},
        {"CORP", "CORP"},
        {"ZINC", "Z"},
        // Each ending is tested once, in order: one that comes later in the order can uncover an
        // earlier one too late.
        {"Acme Ltd Holdings", "Acme"},
        {"Acme Holdings Ltd", "Acme Holdings"},
        {"Big Group Inc", "Big Group"},
        {"  Plain Name  ", "Plain Name"},
        {"", ""},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(NormalizeName(name), expected) << name;
    }
}

TEST(MarketTables, ExchangeNames) {
    const std::pair<const char*, const char*> cases[] = {
        {" par ", "Parijs"},       {"BRU", "Brussel"},        {"AMS", "Amsterdam"}, {"GER", "XETRA"},
        {"FRA", "Frankfurt"},      {"MCP", "Lissabon"},       {"LIS", "Lissabon"},  {"LSE", "Londen"},
        {"MIL", "Milaan"},         {"MCE", "Madrid"},         {"TOR", "Toronto"},   {"STO", "Stockholm"},
        {"CPH", "Kopenhagen"},     {"OSL", "Oslo"},           {"ASX", "Sydney"},    {"MUN", "Munchen"},
        {"DUS", "Dusseldorf"},     {"HAM", "Hamburg"},        {"STU", "Stutgart"},  {"BER", "Berlijn"},
        {"NAS", "NASDAQ"},         {"NYQ", "NYSE"},           {"ASE", "AMEX"},      {"VIE", "Wenen"},
        {"HEL", "Helsinki"},       {"PNK", "Pink Sheets"},    {"NSI", "India"},     {"ISE", "Dublin"},
        {"VAL", "Valencia"},       {"CDNX", "Vancouver"},     {"EUX", "Eurex"},     {"HAN", "Hanover"},
        {"NGM", "NasdaqGM"},       {"NMS", "NasdaqGM"},       {"NCM", "NasdaqCM"},  {"ENX", "Euronext"},
        {"NX", "Euronext"},        {"TLV", "Tel Aviv"},       {"MEX", "Mexico"},    {"BSE", "Bombay"},
        {"VTX", "Swiss Exchange"}, {"EBS", "Swiss Exchange"}, {" Xyz ", "Xyz"},     {"", ""},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(ExchangeName(code), name) << "[" << code << "]";
    }
}

TEST(MarketTables, VocabularyInThreeLanguages) {
    tTranslation table;
    RegisterStartupVocabulary(table);
    RegisterMarketVocabulary(table);
    const struct {
        const char* Dutch;
        const char* French;
        const char* English;
    } cases[] = {
        {"Aandelen", "Actions", "Stocks"},
        {"Overige", "Autres", "Other"},
        {"Gezondheidszorg", "Gezondheidszorg", "Healthcare"},
        {"Warranten", "Warranten", "Warranten"},
        {"Verenigd Koninkrijk", "Royaume-Uni", "United Kingdom"},
        {"Zweden",
         "Su\xE8"
         "de",
         "Sweden"},
        {"Belgie", "Belgique", "Belgium"},
    };
    for (const auto& c : cases) {
        table.SetLanguage(tTranslation::kEnglish);
        EXPECT_EQ(table.Translate(c.Dutch), c.English) << c.Dutch;
        table.SetLanguage(tTranslation::kFrench);
        EXPECT_EQ(table.Translate(c.Dutch), c.French) << c.Dutch;
    }
    table.SetLanguage(tTranslation::kDutch);
    EXPECT_EQ(table.Translate("Belgie"), "Belgi\xEB");
    EXPECT_EQ(table.Translate("Aandelen"), "Aandelen");
    table.SetLanguage(tTranslation::kGerman);
    EXPECT_EQ(table.Translate("Aandelen"), "Aandelen") << "no German column";
}

} // namespace
} // namespace vc
