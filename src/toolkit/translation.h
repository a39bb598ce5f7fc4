// The program's translation table: Dutch source texts turned into the current interface language,
// inline multilingual texts ("nl|fr|en|de"), and the language index with its help-file code.
// One table exists for the whole program; it is built at start-up and handed to whoever shows text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vc {

class tTranslation {
public:
    static constexpr std::uint8_t kDutch = 1;
    static constexpr std::uint8_t kFrench = 2;
    static constexpr std::uint8_t kEnglish = 3;
    static constexpr std::uint8_t kGerman = 4;
    static constexpr std::uint8_t kHungarian = 5;

    // Adds one row. The very first row fixes how many language columns the table keeps.
    void RegisterTranslation(std::string_view key, std::string_view dutch, std::string_view french,
                             std::string_view english, std::string_view german);

    // The text in the current language; a text without a translation comes back trimmed.
    std::string Translate(std::string_view text) const;
    // Translate(format) with the argument put in place of its "%s".
    std::string TranslateFormat(std::string_view format, std::string_view argument) const;
    // The current language's field of a "|"-separated text, or its first field when that one is empty.
    std::string PickLanguage(std::string_view text) const;
    // A file-chooser filter "description|mask|description|mask|": descriptions translated, masks kept.
    std::string TranslateFilter(std::string_view filter) const;

    // Whether a text is worth looking up at all (not empty, not punctuation, a drive path or a number).
    static bool IsTranslatable(std::string_view text);

    std::uint8_t Language() const { return language_; }
    void SetLanguage(std::uint8_t language) { language_ = language; }
    // "Nl", "Fr", "En", "Du" or "Hu" for the current language; empty for an unknown index.
    std::string LanguageCode() const;

    // Columns: the key column plus one per language kept (0 until the first row).
    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

private:
    struct tKey {
        std::string Upper; // the key as compared
        int Row;
    };

    // Row number of the key, the latest registration winning; -1 when absent.
    int FindRow(std::string_view text) const;

    std::uint8_t language_ = kEnglish;
    int columnCount_ = 0;
    std::vector<tKey> keys_;                     // sorted by Upper; equal keys newest first
    std::vector<std::vector<std::string>> rows_; // per row: the texts of columns 1..columnCount_-1
};

} // namespace vc
