#include "toolkit/translation.h"

#include "toolkit/vocabulary.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace vc {
namespace {

// The table as the program builds it, plus a few rows of the kind other modules register.
class StartupTable : public ::testing::Test {
protected:
    StartupTable() {
        RegisterStartupVocabulary(table);
        table.RegisterTranslation("Bestand", "", "Fichier", "File", "Datei");
        table.RegisterTranslation("Bestand %s niet gevonden", "", "Fichier %s introuvable",
                                  "File %s not found", "");
        table.RegisterTranslation("Tekstbestanden (*.txt)", "", "Fichiers texte (*.txt)",
                                  "Text files (*.txt)", "");
        table.RegisterTranslation("Alle bestanden", "", "Tous les fichiers", "All files", "");
    }
    tTranslation table;
};

TEST_F(StartupTable, TranslatesToEnglish) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"Alles", "All"},
        {"alles", "All"},
        {"ALLES", "All"},
        {"Nee op alles...", "No to all..."},
        {"Bestand :", "File :"},
        {"Bestand... :", "File... :"},
        {"&Annuleren", "Cancel"},
        {"Annuleren", "Cancel"},
        {"&OK", "OK"},
        {"&Help", "&Help"},
        // The help pop-up asks in other case than the row was registered with.
        {"Geen help aanwezig over dit item.", "No HELP on this item."},
        {"maart", "march"},
        {"mrt", "mar"},
        {"zondag", "sunday"},
        // Found, but English equals the key: the text comes back as given.
        {"april", "april"},
        // Drive paths, numbers and punctuation are never looked up, only trimmed.
        {"C:\\Alles", "C:\\Alles"},
        {"  d:\\Bestand  ", "d:\\Bestand"},
        {"12.5", "12.5"},
        {"-", "-"},
        {"  -  ", "-"},
        {"...", "..."},
        {"", ""},
        {"1|2|3", "1|2|3"},
        // Inline multilingual texts pick the English field, or the first when it is empty.
        {"Ja|Oui|Yes", "Yes"},
        {"Ja|Oui|", "Ja"},
        {"Ja|Oui", "Ja"},
        {"Alles|Tout|Everything|Alle", "Everything"},
        // Unknown texts come back trimmed.
        {"Onbekend", "Onbekend"},
        {"  Onbekend  ", "Onbekend"},
        {"Onbekend...", "Onbekend..."},
        {"Onbekend :", "Onbekend :"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(table.Translate(c.text), c.expected);
    }
}

TEST_F(StartupTable, ServesEachLanguageTheTableKeeps) {
    const struct {
        std::uint8_t language;
        const char* text;
        const char* expected;
    } cases[] = {
        {tTranslation::kFrench, "Alles", "Tout"},
        {tTranslation::kFrench, "A&fbreken", "A&rr\xEAter"},
        {tTranslation::kFrench, "&OK", "&OK"},
        {tTranslation::kFrench, "februari", "f\xE9vrier"},
        {tTranslation::kFrench, "dec",
         "d\xE9"
         "c"},
        {tTranslation::kFrench, "Bestand :", "Fichier :"},
        {tTranslation::kFrench, "Ja|Oui|Yes", "Oui"},
        // Dutch is the key itself.
        {tTranslation::kDutch, "Alles", "Alles"},
        {tTranslation::kDutch, "Ja|Oui|Yes", "Ja"},
        // The first row had no German, so German is not kept: keys come back trimmed.
        {tTranslation::kGerman, "Alles", "Alles"},
        {tTranslation::kGerman, "Helpbestand ontbreekt", "Helpbestand ontbreekt"},
        {tTranslation::kGerman, "Bestand", "Bestand"},
        {tTranslation::kGerman, "maart", "maart"},
        // ... but inline texts carry German themselves.
        {tTranslation::kGerman, "Ja|Oui|Yes|Jawohl", "Jawohl"},
        {tTranslation::kHungarian, "Alles", "Alles"},
        {tTranslation::kHungarian, "a|b|c|d|e", "e"},
        {0, "Alles", "Alles"},
        {0, "Ja|Oui|Yes", "Ja"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.language) + " \"" + c.text + "\"");
        table.SetLanguage(c.language);
        EXPECT_EQ(table.Translate(c.text), c.expected);
    }
}

TEST_F(StartupTable, TranslateFormatSubstitutesOneArgument) {
    const struct {
        const char* format;
        const char* argument;
        const char* expected;
    } cases[] = {
        {"Bestand %s niet gevonden", "Koers.csv", "File Koers.csv not found"},
        {"Bestand %s niet gevonden", "", "File  not found"},
        // The argument is inserted as it is, never scanned for further marks.
        {"Bestand %s niet gevonden", "50%s%%", "File 50%s%% not found"},
        {"Onbekend %s", "X", "Onbekend X"},
        {"Alles", "X", "All"},
        {"%s en %s", "A", "A en %s"},
        {"100%% van %s", "AEX", "100% van AEX"},
        {"eind %", "X", "eind %"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        EXPECT_EQ(table.TranslateFormat(c.format, c.argument), c.expected);
    }
}

TEST_F(StartupTable, TranslateFilterKeepsTheMasks) {
    const struct {
        const char* filter;
        const char* expected;
    } cases[] = {
        {"Tekstbestanden (*.txt)|*.txt|Alle bestanden|*.*|", "Text files (*.txt)|*.txt|All files|*.*|"},
        {"Alle bestanden|*.*", "All files|*.*"},
        // A mask that happens to be a key stays a mask.
        {"Alles|Alles|", "All|Alles|"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(table.TranslateFilter(c.filter), c.expected);
    }
}

TEST(Translation, LanguageDefaultsToEnglishAndNamesItsHelpCode) {
    tTranslation table;
    EXPECT_EQ(table.Language(), tTranslation::kEnglish);
    EXPECT_EQ(table.LanguageCode(), "En");
    const struct {
        std::uint8_t language;
        const char* code;
    } cases[] = {{1, "Nl"}, {2, "Fr"}, {3, "En"}, {4, "Du"}, {5, "Hu"}, {0, ""}, {6, ""}, {255, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.language));
        table.SetLanguage(c.language);
        EXPECT_EQ(table.Language(), c.language);
        EXPECT_EQ(table.LanguageCode(), c.code);
    }
}

TEST(Translation, FirstRowFixesTheColumns) {
    const struct {
        const char* name;
        const char* first[5];
        int columns;
        bool germanServed;
    } cases[] = {
        {"German empty", {"&Ja", "", "&Oui", "Yes", ""}, 4, false},
        {"all given", {"&Ja", "Ja!", "&Oui", "Yes", "Ja"}, 5, true},
        // Only the last empty field is left out; empty ones before it still make columns.
        {"only English", {"Volgende", "", "", "Next", ""}, 4, false},
        {"key only", {"Leeg", "", "", "", ""}, 4, false},
        {"German only", {"Leeg", "", "", "", "Leer"}, 5, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tTranslation table;
        EXPECT_EQ(table.ColumnCount(), 0);
        table.RegisterTranslation(c.first[0], c.first[1], c.first[2], c.first[3], c.first[4]);
        EXPECT_EQ(table.ColumnCount(), c.columns);
        // Later rows never change the columns.
        table.RegisterTranslation("Alles", "Alles!", "Tout", "All", "Alle");
        EXPECT_EQ(table.ColumnCount(), c.columns);
        EXPECT_EQ(table.Translate("Alles"), "All");
        table.SetLanguage(tTranslation::kGerman);
        EXPECT_EQ(table.Translate("Alles"), c.germanServed ? "Alle" : "Alles");
        table.SetLanguage(tTranslation::kDutch);
        EXPECT_EQ(table.Translate("Alles"), "Alles!");
    }
}

TEST(Translation, EmptyTableGivesTextsBackButStillPicksInlineLanguages) {
    tTranslation table;
    EXPECT_EQ(table.Translate("  Alles "), "Alles");
    EXPECT_EQ(table.Translate("Ja|Oui|Yes"), "Yes");
}

TEST(Translation, LaterRegistrationOfAKeyWins) {
    tTranslation table;
    table.RegisterTranslation("&Ja", "", "&Oui", "Yes", "");
    table.RegisterTranslation("Knop", "", "", "First", "");
    table.RegisterTranslation("Anders", "", "", "Other", "");
    table.RegisterTranslation("KNOP", "", "", "Second", "");
    table.RegisterTranslation("Zomaar", "", "", "Anyway", "");
    EXPECT_EQ(table.Translate("knop"), "Second");
    EXPECT_EQ(table.Translate("Knop"), "Second");
    EXPECT_EQ(table.Translate("Anders"), "Other");
    EXPECT_EQ(table.Translate("Zomaar"), "Anyway");
    EXPECT_EQ(table.RowCount(), 5);
}

TEST(Translation, FindsEveryKeyWhateverTheOrderOfRegistration) {
    std::vector<int> numbers(300);
    for (int i = 0; i < 300; ++i) {
        numbers[i] = i;
    }
    std::mt19937 random(7);
    std::shuffle(numbers.begin(), numbers.end(), random);
    tTranslation table;
    table.RegisterTranslation("&Ja", "", "&Oui", "Yes", "");
    for (int n : numbers) {
        // Accented keys too: they compare by the program's upper-case rule.
        table.RegisterTranslation("sleutel \xE9" + std::to_string(n), "", "", "key " + std::to_string(n), "");
    }
    for (int n = 0; n < 300; ++n) {
        EXPECT_EQ(table.Translate("SLEUTEL \xC9" + std::to_string(n)), "key " + std::to_string(n)) << n;
    }
    EXPECT_EQ(table.Translate("sleutel \xE9"
                              "300"),
              "sleutel \xE9"
              "300");
}

TEST(Translation, TranslatableTest) {
    const struct {
        const char* text;
        bool translatable;
    } cases[] = {
        {"", false},
        {"   ", false},
        {"!", false},
        {"/", false},
        {":", false},
        {"@", false},
        {"|", false},
        {" ? ", false},
        {"12.5", false},
        {"-1,5%", false},
        {"\xE9\xE8", false},
        {"C:\\", false},
        {"c:\\Temp", false},
        {"  C:\\x", false},
        {"A", true},
        {" a ", true},
        {"C:Temp", true},
        {"12a", true},
        {"Nee op alles...", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(tTranslation::IsTranslatable(c.text), c.translatable);
    }
}

} // namespace
} // namespace vc
