#include "toolkit/vocabulary.h"

#include "toolkit/translation.h"

#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace vc {
namespace {

struct tExpected {
    const char* key;
    const char* french;
    const char* english;
};

// Each key in English and French; Dutch always shows the key itself.
void ExpectRows(const tExpected* rows, std::size_t count) {
    tTranslation table;
    RegisterStartupVocabulary(table);
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE(rows[i].key);
        table.SetLanguage(tTranslation::kEnglish);
        EXPECT_EQ(table.Translate(rows[i].key), rows[i].english);
        table.SetLanguage(tTranslation::kFrench);
        EXPECT_EQ(table.Translate(rows[i].key), rows[i].french);
        table.SetLanguage(tTranslation::kDutch);
        EXPECT_EQ(table.Translate(rows[i].key), rows[i].key);
    }
}

TEST(StartupVocabulary, KeepsDutchFrenchAndEnglishOnly) {
    tTranslation table;
    RegisterStartupVocabulary(table);
    EXPECT_EQ(table.ColumnCount(), 4);
    // 15 toolkit rows, 6 wizard buttons, 14 table grid texts, 7 days, 12 months, 12 abbreviations.
    EXPECT_EQ(table.RowCount(), 66);
    table.SetLanguage(tTranslation::kGerman);
    EXPECT_EQ(table.Translate("Helpbestand ontbreekt"), "Helpbestand ontbreekt");
}

TEST(StartupVocabulary, MessageBoxAndHelpTexts) {
    const tExpected rows[] = {
        {"&Ja", "&Oui", "Yes"},
        {"&Nee", "&Non", "No"},
        {"&OK", "&OK", "OK"},
        {"&Annuleren", "&Annuler", "Cancel"},
        {"A&fbreken", "A&rr\xEAter", "Abort"},
        {"&Retry", "&Retry", "Retry"},
        {"&Ignore", "&Ignorer", "Ignore"},
        {"Alles", "Tout", "All"},
        {"Nee op alles", "Non \xE0 tout", "No to all"},
        {"Ja op alles", "Oui \xE0 tout", "Yes to all"},
        {"&Help", "Aide", "&Help"},
        {"Geen HELP aanwezig over dit item.", "Pas d'AIDE sur ce sujet.", "No HELP on this item."},
        {"Helpbestand ontbreekt", "Fichier AIDE manquant", "Helpfile missing"},
        {"Wenst u het recentste HELPBESTAND via Internet te downloaden ?",
         "Voulez-vous t\xE9l\xE9"
         "charger le fichier AIDE via Internet ?",
         "Do you wish to download the most recent HELPFILE ?"},
        {"Het HELP-bestand werd niet teruggevonden.\xA6\xA6Raadpleeg eventueel de website om de ONLINE-help "
         "te "
         "bekijken.",
         "Le fichier d' AIDE est introuvable\xA6\xA6Veuillez consulter le website pour la version ONLINE.",
         "The HELP-file was not found. Please consult the website to look at the ONLINE help."},
    };
    ExpectRows(rows, std::size(rows));
}

TEST(StartupVocabulary, WizardButtonsHaveEnglishOnly) {
    const tExpected rows[] = {
        {"Volgende", "Volgende", "Next"},     {"Vorige", "Vorige", "Previous"},
        {"Annuleren", "Annuleren", "Cancel"}, {"Voltooien", "Voltooien", "Finish"},
        {"Omhoog", "Omhoog", "Move up"},      {"Omlaag", "Omlaag", "Move down"},
    };
    ExpectRows(rows, std::size(rows));
}

TEST(StartupVocabulary, TableGridMenusInEnglish) {
    tTranslation table;
    RegisterStartupVocabulary(table);
    // The captions exactly as the grid builds its menus and hints.
    const struct {
        const char* Key;
        const char* English;
    } rows[] = {
        {"Tabel eigenschappen...", "Table properties..."},
        {"Tabel eigenschappen", "Table properties"},
        {"K&nippen", "&Cut"},
        {"&Kopi\xEBren", "C&opy"},
        {"&Plakken", "&Paste"},
        {"&Alles selecteren", "&Select all"},
        {"&Alles AANschakelen", "Check all"},
        {"&Alles UITschakelen", "Uncheck all"},
        {"&Selectie AANschakelen", "Set selection &ON"},
        {"&Selectie UITschakelen", "Set selection O&FF"},
        {"Kolommen herschikken", "Autosize columns"},
        {"in stijgende volgorde", "sorted upwards"},
        {"in dalende volgorde", "sorted downwards"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(table.Translate(row.Key), row.English) << row.Key;
    }
}

TEST(StartupVocabulary, DayAndMonthNames) {
    const tExpected rows[] = {
        {"zondag", "dimanche", "sunday"},
        {"maandag", "lundi", "monday"},
        {"dinsdag", "mardi", "tuesday"},
        {"woensdag", "mercredi", "wednesday"},
        {"donderdag", "jeudi", "thursday"},
        {"vrijdag", "vendredi", "friday"},
        {"zaterdag", "samedi", "saturday"},
        {"januari", "janvier", "january"},
        {"februari", "f\xE9vrier", "february"},
        {"maart", "mars", "march"},
        {"april", "avril", "april"},
        {"mei", "mai", "may"},
        {"juni", "juin", "june"},
        {"juli", "juillet", "july"},
        {"augustus", "ao\xFBt", "august"},
        {"september", "septembre", "september"},
        {"oktober", "octobre", "october"},
        {"november", "novembre", "november"},
        {"december",
         "d\xE9"
         "cembre",
         "december"},
        {"jan", "jan", "jan"},
        {"feb", "f\xE9v", "feb"},
        {"mrt", "mar", "mar"},
        {"apr", "avr", "apr"},
        {"jun", "jui", "jun"},
        {"jul", "jui", "jul"},
        {"aug", "ao\xFB", "aug"},
        {"sep", "sep", "sep"},
        {"okt", "oct", "oct"},
        {"nov", "nov", "nov"},
        {"dec",
         "d\xE9"
         "c",
         "dec"},
    };
    ExpectRows(rows, std::size(rows));
}

} // namespace
} // namespace vc
