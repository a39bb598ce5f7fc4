#include "tape/symbol_import.h"

#include <filesystem>
#include <set>

#include "toolkit/atomic_file.h"
#include "toolkit/text.h"

namespace vc {
namespace {

constexpr std::size_t kMaxNameLength = 20;

// A quoted symbol or name ("ING Groep") loses its first and last character.
std::string Unquote(std::string text) {
    if (text.size() > 2 && text.front() == '"') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

std::string FiveDigits(int number) {
    std::string text = std::to_string(number);
    return std::string(text.size() < 5 ? 5 - text.size() : 0, '0') + text;
}

void Add(std::set<std::string>& result, const std::string& name, const std::string& symbol) {
    if (result.size() < kMaxSymbolEntries) {
        result.insert(name + "|" + symbol);
    }
}

template <class F>
void ForEachLine(std::string_view bytes, F&& lineFn) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        lineFn(bytes.substr(start, std::min(end - start, kMaxSymbolLineBytes)));
        start = end + 1;
    }
}

} // namespace

std::vector<std::string> ReadDelimitedSymbols(std::string_view bytes) {
    std::set<std::string> result;
    char separator = 0;
    ForEachLine(bytes, [&](std::string_view raw) {
        std::string line = Trim(raw);
        if (line.empty()) {
            return;
        }
        if (separator == 0) {
            separator = line.find('\t') != std::string::npos  ? '\t'
                        : line.find(';') != std::string::npos ? ';'
                                                              : ',';
        }
        line = ReplaceAll(line, std::string_view(&separator, 1), "|");
        const std::string symbol = Unquote(UpperText(Trim(Field(line, 1))));
        std::string name = Unquote(Trim(Field(line, 2)));
        if (symbol.empty() || symbol == "<SYMBOL>" || symbol == "<TICKER>") {
            return;
        }
        name = Trim(name.substr(0, kMaxNameLength));
        if (IsNumber(name)) {
            name = symbol;
        }
        Add(result, name, symbol);
    });
    return std::vector<std::string>(result.begin(), result.end());
}

std::vector<std::string> ReadSelectionSymbols(const tIniObject& selection) {
    int symbolColumn = 0;
    int nameColumn = 0;
    for (int i = 1;; ++i) {
        const std::string criterion = Trim(selection.ReadString("Criteria", FiveDigits(i), ""));
        if (criterion.empty()) {
            break;
        }
        const std::string kind = UpperText(Field(criterion, 3));
        if (kind == "#TICKER") {
            symbolColumn = i;
        } else if (kind == "#SHORTNAME" || kind == "#NAME") {
            nameColumn = i;
        }
    }
    std::set<std::string> result;
    if (symbolColumn == 0) {
        return {};
    }
    for (int i = 1;; ++i) {
        const std::string title = selection.ReadString("Titles", FiveDigits(i), "");
        if (title.empty()) {
            break;
        }
        // The first two fields of a row are the tool's own; the columns follow.
        const std::string symbol = Trim(Field(title, symbolColumn + 2));
        if (symbol.empty()) {
            continue;
        }
        const std::string name = nameColumn == 0
                                     ? std::string()
                                     : Trim(Trim(Field(title, nameColumn + 2)).substr(0, kMaxNameLength));
        Add(result, name, symbol);
    }
    return std::vector<std::string>(result.begin(), result.end());
}

std::vector<std::string> ReadSymbolFile(const std::string& fileName) {
    if (UpperText(std::filesystem::path(fileName).extension().string()) == ".SEL") {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(fileName, ec)) {
            return {};
        }
        const tIniObject selection(fileName);
        return ReadSelectionSymbols(selection);
    }
    std::string bytes;
    const tReadResult read = ReadFileLimited(fileName, kMaxSymbolFileBytes, bytes);
    if (read != tReadResult::Ok && read != tReadResult::Truncated) {
        return {};
    }
    return ReadDelimitedSymbols(bytes);
}

} // namespace vc
