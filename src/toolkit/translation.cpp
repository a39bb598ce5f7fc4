#include "toolkit/translation.h"

#include "toolkit/text.h"

#include <algorithm>

namespace vc {
namespace {

constexpr char kSeparator = kFieldSeparator;
constexpr std::string_view kLanguageCodes = "Nl|Fr|En|Du|Hu";

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const auto bar = text.find(kSeparator, start);
        if (bar == std::string_view::npos) {
            fields.push_back(text.substr(start));
            return fields;
        }
        fields.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

} // namespace

void tTranslation::RegisterTranslation(std::string_view key, std::string_view dutch, std::string_view french,
                                       std::string_view english, std::string_view german) {
    std::string joined(key);
    for (std::string_view part : {dutch, french, english, german}) {
        joined += kSeparator;
        joined += part;
    }
    const auto fields = SplitFields(joined);
    if (columnCount_ == 0) {
        // One column per field, but a trailing empty field adds none: with a first row whose last
        // language is empty, that language is never kept.
        columnCount_ = static_cast<int>(fields.size());
        if (fields.back().empty()) {
            --columnCount_;
        }
        if (columnCount_ == 0) {
            return;
        }
    }
    auto field = [&fields](int i) {
        return i < static_cast<int>(fields.size()) ? fields[i] : std::string_view();
    };

    const std::string_view rowKey = field(0);
    const int row = static_cast<int>(rows_.size());
    std::string upper = UpperText(rowKey);
    // Inserted before any equal key, so the latest registration of a key is the one found.
    const auto at = std::lower_bound(keys_.begin(), keys_.end(), upper,
                                     [](const tKey& k, const std::string& u) { return k.Upper < u; });
    keys_.insert(at, tKey{std::move(upper), row});

    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(columnCount_ - 1));
    for (int i = 1; i < columnCount_; ++i) {
        const std::string_view text = field(i);
        texts.emplace_back(text == rowKey ? std::string_view() : text);
    }
    rows_.push_back(std::move(texts));
}

int tTranslation::FindRow(std::string_view text) const {
    const std::string upper = UpperText(text);
    const auto at = std::lower_bound(keys_.begin(), keys_.end(), upper,
                                     [](const tKey& k, const std::string& u) { return k.Upper < u; });
    return at != keys_.end() && at->Upper == upper ? at->Row : -1;
}

bool tTranslation::IsTranslatable(std::string_view text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty()) {
        return false;
    }
    if (trimmed.size() == 1) {
        const char c = trimmed[0];
        if ((c >= '!' && c <= '/') || (c >= ':' && c <= '@') || c == '|') {
            return false;
        }
    }
    if (trimmed.size() >= 3 && trimmed[1] == ':' && trimmed[2] == '\\') {
        return false;
    }
    return std::any_of(trimmed.begin(), trimmed.end(), IsAsciiLetter);
}

std::string tTranslation::PickLanguage(std::string_view text) const {
    std::string picked = Field(text, language_);
    return picked.empty() ? Field(text, 1) : picked;
}

std::string tTranslation::Translate(std::string_view text) const {
    if (!IsTranslatable(text)) {
        return Trim(text);
    }
    if (text.find(kSeparator) != std::string_view::npos) {
        return PickLanguage(text);
    }
    if (columnCount_ == 0) {
        return Trim(text);
    }
    const int row = FindRow(text);
    if (row >= 0) {
        // Column 0 holds the keys, so index 0 is no language and falls through to the text itself.
        if (language_ >= 1 && language_ < columnCount_) {
            const std::string& translated = rows_[static_cast<std::size_t>(row)][language_ - 1u];
            return translated.empty() ? std::string(text) : translated;
        }
        return Trim(text);
    }
    if (text.size() > 3 && EndsWith(text, "...")) {
        return Translate(text.substr(0, text.size() - 3)) + "...";
    }
    if (EndsWith(text, " :")) {
        return Translate(text.substr(0, text.size() - 2)) + " :";
    }
    return Trim(text);
}

std::string tTranslation::TranslateFormat(std::string_view format, std::string_view argument) const {
    const std::string translated = Translate(format);
    // Only the first "%s" takes the argument; "%%" stands for "%". The argument itself is never
    // scanned, so a "%s" inside it is shown as written.
    std::string result;
    result.reserve(translated.size() + argument.size());
    bool substituted = false;
    for (std::size_t i = 0; i < translated.size(); ++i) {
        if (translated[i] == '%' && i + 1 < translated.size()) {
            const char next = translated[i + 1];
            if (next == '%') {
                result += '%';
                ++i;
                continue;
            }
            if (next == 's' && !substituted) {
                result += argument;
                substituted = true;
                ++i;
                continue;
            }
        }
        result += translated[i];
    }
    return result;
}

std::string tTranslation::TranslateFilter(std::string_view filter) const {
    const auto fields = SplitFields(filter);
    std::string result;
    result.reserve(filter.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            result += kSeparator;
        }
        // Even fields are descriptions; the last one after a closing "|" is empty and stays so.
        result += i % 2 == 0 && !fields[i].empty() ? Translate(fields[i]) : std::string(fields[i]);
    }
    return result;
}

std::string tTranslation::LanguageCode() const {
    return Field(kLanguageCodes, language_);
}

} // namespace vc
