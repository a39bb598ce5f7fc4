#include "toolkit/vocabulary.h"

#include "toolkit/translation.h"

namespace vc {
namespace {

struct tRow {
    const char* Key;
    const char* French;
    const char* English;
    const char* German;
};

// Buttons and help notices. The first row has no German text, so the table keeps Dutch, French
// and English only. The Dutch column is always empty: Dutch shows the key itself.
// Texts are Windows-1252; "\xA6" is the message box's line-break mark.
constexpr tRow kToolkitRows[] = {
    {"&Ja", "&Oui", "Yes", ""},
    {"&Nee", "&Non", "No", ""},
    {"&OK", "&OK", "OK", ""},
    {"&Annuleren", "&Annuler", "Cancel", ""},
    {"A&fbreken", "A&rr\xEAter", "Abort", ""},
    {"&Retry", "&Retry", "Retry", ""},
    {"&Ignore", "&Ignorer", "Ignore", ""},
    {"Alles", "Tout", "All", ""},
    {"Nee op alles", "Non \xE0 tout", "No to all", ""},
    {"Ja op alles", "Oui \xE0 tout", "Yes to all", ""},
    {"&Help", "Aide", "&Help", ""},
    {"Geen HELP aanwezig over dit item.", "Pas d'AIDE sur ce sujet.", "No HELP on this item.",
     "No HELP on this item."},
    {"Helpbestand ontbreekt", "Fichier AIDE manquant", "Helpfile missing", "Helpfile missing"},
    {"Wenst u het recentste HELPBESTAND via Internet te downloaden ?",
     "Voulez-vous t\xE9l\xE9"
     "charger le fichier AIDE via Internet ?",
     "Do you wish to download the most recent HELPFILE ?",
     "Do you wish to download the most recent HELPFILE ?"},
    {"Het HELP-bestand werd niet teruggevonden.\xA6\xA6Raadpleeg eventueel de website om de ONLINE-help te "
     "bekijken.",
     "Le fichier d' AIDE est introuvable\xA6\xA6Veuillez consulter le website pour la version ONLINE.",
     "The HELP-file was not found. Please consult the website to look at the ONLINE help.",
     "The HELP-file was not found. Please consult the website to look at the ONLINE help."},
};

// Wizard buttons: only their English texts are known.
constexpr tRow kWizardRows[] = {
    {"Volgende", "", "Next", ""},    {"Vorige", "", "Previous", ""}, {"Annuleren", "", "Cancel", ""},
    {"Voltooien", "", "Finish", ""}, {"Omhoog", "", "Move up", ""},  {"Omlaag", "", "Move down", ""},
};

// The table grid's menus, header hints and table-properties dialog. "Tabel eigenschappen..."
// finds its row through the "..." rule and keeps its dots.
constexpr tRow kTableRows[] = {
    {"Tabel eigenschappen", "Propri\xE9t\xE9s du tableau", "Table properties", ""},
    {"K&nippen", "Co&uper", "&Cut", ""},
    {"&Kopi\xEBren", "C&opier", "C&opy", ""},
    {"&Plakken", "C&oller", "&Paste", ""},
    {"&Alles selecteren", "&Tout s\xE9lectionner", "&Select all", ""},
    {"&Alles AANschakelen", "Tout cocher", "Check all", ""},
    {"&Alles UITschakelen",
     "Tout d\xE9"
     "cocher",
     "Uncheck all", ""},
    {"&Selectie AANschakelen", "Cocher la s\xE9lection", "Set selection &ON", ""},
    {"&Selectie UITschakelen",
     "D\xE9"
     "cocher la s\xE9lection",
     "Set selection O&FF", ""},
    {"Kolommen herschikken", "Ajuster les colonnes", "Autosize columns", ""},
    {"in stijgende volgorde", "en ordre croissant", "sorted upwards", ""},
    {"in dalende volgorde",
     "en ordre d\xE9"
     "croissant",
     "sorted downwards", ""},
    {"Kolommen", "Colonnes", "Columns", ""},
    {"Regels per rij",
     "Lignes par rang\xE9"
     "e",
     "Lines per row", ""},
};

// Day names (Sunday first), month names and three-letter month abbreviations, Dutch as the key.
constexpr tRow kCalendarRows[] = {
    {"zondag", "dimanche", "sunday", "sonntag"},
    {"maandag", "lundi", "monday", "montag"},
    {"dinsdag", "mardi", "tuesday", "dienstag"},
    {"woensdag", "mercredi", "wednesday", "mittwoch"},
    {"donderdag", "jeudi", "thursday", "donnerstag"},
    {"vrijdag", "vendredi", "friday", "freitag"},
    {"zaterdag", "samedi", "saturday", "samstag"},

    {"januari", "janvier", "january", "januar"},
    {"februari", "f\xE9vrier", "february", "februar"},
    {"maart", "mars", "march", "m\xE4rz"},
    {"april", "avril", "april", "april"},
    {"mei", "mai", "may", "mai"},
    {"juni", "juin", "june", "juni"},
    {"juli", "juillet", "july", "juli"},
    {"augustus", "ao\xFBt", "august", "august"},
    {"september", "septembre", "september", "september"},
    {"oktober", "octobre", "october", "oktober"},
    {"november", "novembre", "november", "november"},
    {"december",
     "d\xE9"
     "cembre",
     "december", "dezember"},

    {"jan", "jan", "jan", "jan"},
    {"feb", "f\xE9v", "feb", "feb"},
    {"mrt", "mar", "mar", "m\xE4r"},
    {"apr", "avr", "apr", "apr"},
    {"mei", "mai", "may", "mai"},
    {"jun", "jui", "jun", "jun"},
    {"jul", "jui", "jul", "jul"},
    {"aug", "ao\xFB", "aug", "aug"},
    {"sep", "sep", "sep", "sep"},
    {"okt", "oct", "oct", "okt"},
    {"nov", "nov", "nov", "nov"},
    {"dec",
     "d\xE9"
     "c",
     "dec", "dez"},
};

template <std::size_t N>
void RegisterRows(tTranslation& translation, const tRow (&rows)[N]) {
    for (const tRow& row : rows) {
        translation.RegisterTranslation(row.Key, "", row.French, row.English, row.German);
    }
}

} // namespace

void RegisterStartupVocabulary(tTranslation& translation) {
    RegisterRows(translation, kToolkitRows);
    RegisterRows(translation, kWizardRows);
    RegisterRows(translation, kTableRows);
    RegisterRows(translation, kCalendarRows);
}

} // namespace vc
