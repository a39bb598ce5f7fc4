#include "universe.h"

#include "toolkit/text.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace vc::sim {

namespace {

std::vector<std::string> SplitComma(std::string_view line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(
            Trim(line.substr(start, comma == std::string_view::npos ? line.npos : comma - start)));
        if (comma == std::string_view::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

bool ReadPositive(const std::string& text, bool allowZero, double& value) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == nullptr || *end != '\0' || !(v >= 0) || v > 1e13 || (!allowZero && v == 0)) {
        return false;
    }
    value = v;
    return true;
}

bool ValidSymbol(const std::string& symbol) {
    if (symbol.empty() || symbol.size() > 30) {
        return false;
    }
    for (const char c : symbol) {
        // Separators of the request and the answer cannot be part of a symbol.
        if (c == '"' || c == ',' || c == '+' || c == ' ' || static_cast<unsigned char>(c) < 0x20) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ParseKind(std::string_view text, tKind& kind) {
    const std::string upper = UpperText(text);
    if (upper == "STOCK") {
        kind = tKind::Stock;
    } else if (upper == "INDEX") {
        kind = tKind::Index;
    } else if (upper == "YIELD") {
        kind = tKind::Yield;
    } else if (upper == "CURRENCY") {
        kind = tKind::Currency;
    } else {
        return false;
    }
    return true;
}

bool tUniverse::Load(std::string_view text) {
    listings_.clear();
    index_.clear();
    skipped_ = 0;
    firstSkipped_ = 0;
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#' ||
            (lineNumber == 1 && UpperText(trimmed).starts_with("SYMBOL,"))) {
            continue;
        }
        const std::vector<std::string> fields = SplitComma(trimmed);
        tListing listing;
        bool good = fields.size() == 6;
        if (good) {
            listing.Symbol = UpperText(fields[0]);
            listing.Name = fields[1];
            listing.Exchange = fields[2];
            good = ValidSymbol(listing.Symbol) && !listing.Name.empty() &&
                   ParseKind(fields[3], listing.Kind) && ReadPositive(fields[4], false, listing.Price) &&
                   ReadPositive(fields[5], true, listing.Volume);
        }
        if (!good) {
            if (skipped_++ == 0) {
                firstSkipped_ = lineNumber;
            }
            continue;
        }
        if (index_.emplace(listing.Symbol, listings_.size()).second) {
            listings_.push_back(std::move(listing));
        }
    }
    return !listings_.empty();
}

bool tUniverse::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return Load(text);
}

const tListing* tUniverse::Find(std::string_view symbol) const {
    const auto it = index_.find(UpperText(symbol));
    return it == index_.end() ? nullptr : &listings_[it->second];
}

} // namespace vc::sim
