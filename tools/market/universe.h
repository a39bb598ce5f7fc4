// The simulated exchange's list of listed symbols, read from a CSV data file
// (Symbol,Name,Exchange,Kind,Price,Volume; "#" starts a comment line).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vc::sim {

// Kinds move and are quoted differently: indexes and yields have no bid or ask, currency pairs
// trade in four decimals without volume, yields are quoted as ten times the percentage.
enum class tKind { Stock, Index, Yield, Currency };

struct tListing {
    std::string Symbol; // upper case
    std::string Name;
    std::string Exchange;
    tKind Kind = tKind::Stock;
    double Price = 0;  // base level the price wanders around
    double Volume = 0; // average daily volume
    int Decimals() const { return Kind == tKind::Currency ? 4 : 2; }
};

class tUniverse {
public:
    // Reads the CSV text; lines that do not parse are skipped and counted in SkippedLines, with the
    // number of the first one in FirstSkippedLine. A repeated symbol keeps its first listing.
    bool Load(std::string_view text);
    bool LoadFile(const std::string& path);

    // The listing of a symbol, compared upper-cased; nullptr when unknown.
    const tListing* Find(std::string_view symbol) const;
    const std::vector<tListing>& Listings() const { return listings_; }
    int SkippedLines() const { return skipped_; }
    int FirstSkippedLine() const { return firstSkipped_; }

private:
    std::vector<tListing> listings_;
    std::unordered_map<std::string, std::size_t> index_;
    int skipped_ = 0;
    int firstSkipped_ = 0;
};

bool ParseKind(std::string_view text, tKind& kind);

} // namespace vc::sim
