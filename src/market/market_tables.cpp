#include "market/market_tables.h"

#include "toolkit/text.h"
#include "toolkit/translation.h"

namespace vc {

namespace {

struct tReplacement {
    std::string_view Name; // upper case
    std::string_view Short;
};

constexpr tReplacement kWholeNames[] = {
    {"ROY.PHILIPS ELECT", "PHILIPS"},
    {"KONINKLIJKE KPN N", "KPN"},
    {"KONINKLIJKE NUMIC", "NUMICO"},
    {"ROYAL DUTCH SHELL", "ROYAL D. SHELL"},
    {"KBC GR", "KBC"},
    {"GROUPE DELHAIZE", "DELHAIZE"},
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
    {"EUR TO USD", "EUR (USD)"},
};

// The order decides which endings can still apply after another was removed.
constexpr std::string_view kEndings[] = {
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

struct tExchange {
    std::string_view Code;
    std::string_view Name;
};

constexpr tExchange kExchanges[] = {
    {"BRU", "Brussel"},        {"AMS", "Amsterdam"},      {"PAR", "Parijs"},   {"GER", "XETRA"},
    {"FRA", "Frankfurt"},      {"MCP", "Lissabon"},       {"LIS", "Lissabon"}, {"LSE", "Londen"},
    {"MIL", "Milaan"},         {"MCE", "Madrid"},         {"TOR", "Toronto"},  {"STO", "Stockholm"},
    {"CPH", "Kopenhagen"},     {"OSL", "Oslo"},           {"ASX", "Sydney"},   {"MUN", "Munchen"},
    {"DUS", "Dusseldorf"},     {"HAM", "Hamburg"},        {"STU", "Stutgart"}, {"BER", "Berlijn"},
    {"NAS", "NASDAQ"},         {"NYQ", "NYSE"},           {"ASE", "AMEX"},     {"VIE", "Wenen"},
    {"HEL", "Helsinki"},       {"PNK", "Pink Sheets"},    {"NSI", "India"},    {"ISE", "Dublin"},
    {"VAL", "Valencia"},       {"CDNX", "Vancouver"},     {"EUX", "Eurex"},    {"HAN", "Hanover"},
    {"NGM", "NasdaqGM"},       {"NMS", "NasdaqGM"},       {"NCM", "NasdaqCM"}, {"ENX", "Euronext"},
    {"NX", "Euronext"},        {"TLV", "Tel Aviv"},       {"MEX", "Mexico"},   {"BSE", "Bombay"},
    {"VTX", "Swiss Exchange"}, {"EBS", "Swiss Exchange"},
};

struct tWord {
    const char* Dutch; // the key; Dutch shows it as it is
    const char* French;
    const char* English;
};

// Asset types, sectors, countries and regions. An empty French or English text leaves the Dutch
// word in that language. Texts are Windows-1252.
constexpr tWord kMarketWords[] = {
    {"Aandelen", "Actions", "Stocks"},
    {"Obligaties", "Obligations", "Bonds"},
    {"Fondsen", "Fonds", "Funds"},
    {"Indexen", "Indices", "Indexes"},
    {"Grondstoffen", "Mati\xE8res", "Commodities"},
    {"Cash", "Cash", "Cash"},
    {"Vastgoed", "Immobilier", "Real estate"},
    {"Overige", "Autres", "Other"},
    {"Aandeel", "Action", "Stock"},
    {"Beleggingsfonds", "Fonds de placement", "Fund"},
    {"Beleggingsfondsen", "Fonds de placement", "Funds"},
    {"Fonds", "Fonds", "Fund"},
    {"Obligatie", "Obligation", "Bond"},
    {"Index", "Indice", "Index"},
    {"Indice", "Index", "Index"},
    {"Indices", "Indexes", "Indexes"},
    {"Wisselkoers", "Devise", "Currency"},
    {"Wisselkoersen", "Devises", "Currencies"},
    {"Munt", "Devise", "Currency"},
    {"Munten", "Devises", "Currencies"},
    {"Geldrekening", "Compte", "Account"},
    {"Geldrekeningen", "Comptes", "Accounts"},
    {"Optie", "Option", "Option"},
    {"Opties", "Options", "Options"},
    {"Gezondheidszorg", "", "Healthcare"},
    {"Energie", "", "Energy"},
    {"Communicatie", "", "Communication"},
    {"Chemie", "", "Chemicals"},
    {"Tak-21", "Tak-21", "Tak-21"},
    {"Tak-23", "Tak-23", "Tak-23"},
    {"Tak-26", "Tak-26", "Tak-26"},
    {"Turbo", "Turbo", "Turbo"},
    {"Turbos", "Turbos", "Turbos"},
    {"Warrant", "", ""},
    {"Warranten", "", ""},
    {"Future", "", ""},
    {"Futures", "", ""},
    {"Kasbon", "", ""},
    {"Kasbons", "", ""},
    {"Termijnrekening", "", ""},
    {"Termijnrekeningen", "", ""},
    {"Strip", "", ""},
    {"Strips", "", ""},
    {"Recht", "", ""},
    {"Rechten", "", ""},
    {"Tracker", "", ""},
    {"Trackers", "", ""},
    {"Edel metaal", "", ""},
    {"Edele metalen", "", ""},
    {"Grondstof", "", ""},
    {"Vastgoed certificaat", "", ""},
    {"Vastgoed certificaten", "", ""},
    {"Edelsteen", "", ""},
    {"Edelstenen", "", ""},
    {"Olie", "", ""},
    {"Oli\xEBn", "", ""},
    {"ETF", "", ""},
    {"ETFS", "", ""},
    {"Rentevoet", "", ""},
    {"Rentevoeten", "", ""},
    {"Property", "", ""},
    {"Properties", "", ""},
    // "Overige" keeps its translations above: registered again without them, it would win and
    // show the Dutch word in every language.
    {"Overigen", "", ""},
    {"Diverse", "", ""},
    {"Diversen", "", ""},
    {"Belgi\xEB", "Belgique", "Belgium"},
    {"Nederland", "Pays-Bas", "Netherlands"},
    {"Frankrijk", "France", "France"},
    {"Duitsland", "Allemagne", "Germany"},
    {"Luxemburg", "Luxembourg", "Luxemburg"},
    {"Verenigde Staten", "Etats-Unis", "United States"},
    {"Verenigd Koninkrijk", "Royaume-Uni", "United Kingdom"},
    {"Zwitserland", "Suisse", "Switserland"},
    {"Japan", "Japon", "Japan"},
    {"China", "Chine", "China"},
    {"Canada", "Canada", "Canada"},
    {"Spanje", "Espagne", "Spain"},
    {"Itali\xEB", "Italie", "Italy"},
    {"Australi\xEB", "Australie", "Australia"},
    {"Zuid-Afrika", "Sud-Afrique", "South-Africa"},
    {"Zweden",
     "Su\xE8"
     "de",
     "Sweden"},
    {"Denemarken", "Danemark", "Denmark"},
    {"Noorwegen", "Norv\xE8ge", "Norway"},
    {"Portugal", "Portugal", "Portugal"},
    {"Ierland", "Irlande", "Ireland"},
    {"Belgie", "Belgique", "Belgium"},
    {"USA", "", ""},
    {"Europa", "Europe", "Europe"},
    {"Amerika", "Amerique", "America"},
    {"Azi\xEB", "Asie", "Asia"},
    {"Afrika", "Afrique", "Africa"},
};

bool EndsWithCaseless(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() && UpperText(text.substr(text.size() - ending.size())) == ending;
}

} // namespace

std::string NormalizeName(std::string_view name) {
    std::string result(name);
    const std::string upper = UpperText(name);
    for (const tReplacement& replacement : kWholeNames) {
        if (upper == replacement.Name) {
            result = replacement.Short;
            break;
        }
    }
    for (const std::string_view ending : kEndings) {
        if (EndsWithCaseless(result, ending)) {
            std::string before = Trim(std::string_view(result).substr(0, result.size() - ending.size()));
            if (!before.empty()) {
                result = std::move(before);
            }
        }
    }
    return Trim(result);
}

std::string ExchangeName(std::string_view code) {
    const std::string trimmed = Trim(code);
    const std::string upper = UpperText(trimmed);
    for (const tExchange& exchange : kExchanges) {
        if (upper == exchange.Code) {
            return std::string(exchange.Name);
        }
    }
    return trimmed;
}

void RegisterMarketVocabulary(tTranslation& translation) {
    for (const tWord& word : kMarketWords) {
        // "Belgie" is the spelling without the diaeresis; Dutch shows it with one.
        const std::string_view dutch = std::string_view(word.Dutch) == "Belgie" ? "Belgi\xEB" : "";
        translation.RegisterTranslation(word.Dutch, dutch, word.French, word.English, "");
    }
}

} // namespace vc
