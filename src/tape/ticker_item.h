// tTickerItem: one symbol on the tape with its latest quote, its two alert thresholds and their
// firing stamps, the day's recent trades, its news lines and the slot for its drawn image. Also the
// item's stored form in the settings file and the small texts other parts of the program derive
// from it (decimals, price format, display name, quote fields, spreadsheet links).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tape/ini_object.h"
#include "toolkit/clock.h"

namespace vc {

// The item's clickable rectangle in its own image's pixels; right and bottom exclusive.
struct tLinkRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// What the display keeps of a drawn item (its image and the flashing image). The core only owns and
// drops it; the display derives from this to hold its pictures.
class tItemImageCache {
public:
    virtual ~tItemImageCache() = default;
};

// Quote field codes for spreadsheet links and the quote service.
enum tQuoteField : int {
    kFieldClose = 1,
    kFieldOpen = 2,
    kFieldHigh = 3,
    kFieldLow = 4,
    kFieldVolume = 5,
    kFieldPrev = 6,
    kFieldName = 7,
    kFieldSymbol = 8,
    kFieldDate = 9,
    kFieldTime = 10,
};

// Names an item for as long as its tape lives; see tTickerItem::Id.
using tItemId = std::uint64_t;
inline constexpr tItemId kNoItemId = 0;

inline constexpr std::size_t kMaxSymbolLength = 20;
inline constexpr std::size_t kMaxThresholdLength = 15;
inline constexpr std::size_t kMaxRecentTrades = 50;

class tTickerItem {
public:
    tTickerItem() = default;
    ~tTickerItem() = default;
    tTickerItem(const tTickerItem&) = delete;
    tTickerItem& operator=(const tTickerItem&) = delete;

    std::string Name;
    // At most 20 characters, upper case; the item's identity within its tape.
    std::string Symbol;
    // When the quote last changed: the quote's date plus the local time the change was merged.
    double Date = 0;
    double Open = 0;
    double High = 0;
    double Low = 0;
    double Close = 0;
    double Volume = 0;
    double Prev = 0;
    bool AlertNews = false;
    // Thresholds exactly as typed, so the user's number of decimals survives; empty means none.
    std::string AlertUp;
    std::string AlertDown;
    // When the alert fired; 0 while it has not.
    double StampUp = 0;
    double StampDown = 0;
    // A fired alert not yet shown ("Alert UP|threshold|price|message"); never stored.
    std::string PendingAlertUp;
    std::string PendingAlertDown;
    // One "DD/MM/YYYY|HH:MM:SS|open|high|low|close|volume" entry per merged change, oldest first.
    std::vector<std::string> RecentTrades;
    std::vector<std::string> News;
    // Id of the gainers or losers list that put the item on the tape; 0 for the user's own.
    int Gainer = 0;
    // Width of the drawn image, -1 until the display measured it.
    int ImageWidth = -1;
    std::unique_ptr<tItemImageCache> ImageCache;
    tLinkRect LinkRect;
    // Position in the tape's list, from 0; the tape keeps it equal to the position.
    int Index = 0;
    // Given by the tape when it takes the item and never given again, so whoever holds on to an
    // item across list changes holds its Id: an address may come back for a new item, an Id not.
    tItemId Id = kNoItemId;

    // "Tape_000" + kind + the index in three digits (more from 1000 on); kind is "_Item",
    // "_Prices" or "_News".
    static std::string SectionName(std::string_view tapeSection, std::string_view kind, int index);

    // Reads the item's section for its Index; true when the symbol read is not empty.
    bool LoadFromIni(const tIniObject& ini, std::string_view tapeSection);
    void SaveToIni(tIniObject& ini, std::string_view tapeSection) const;

    // Merges one downloaded quote; a number of 0 means not delivered. A date text that is no real
    // DD/MM/YYYY date means today. True when anything changed.
    bool ApplyQuote(std::string_view dateText, double open, double high, double low, double close,
                    double volume, double prev, const tClock& clock);
    // The closes of today's recent trades, each followed by "|", repeats of the one before left out.
    std::string TodayCloseSeries(const tClock& clock) const;

    // 4 for currency pairs ("=X"), else the most decimals of 2 and the two thresholds.
    int ItemDecimals() const;
    // Empty for 0, 1 decimal above 9999, else the item decimals; trimmed.
    std::string PriceFormat(double value) const;
    // Name upper-cased; with exactly one "[" and one "]" only the part before the "[".
    std::string DisplayName() const;

    // Field names are compared upper-cased; -1 / empty text outside the vocabulary.
    static int FieldCode(std::string_view name);
    static std::string FieldName(int code);
    // The value text of one quote field; the date in the user's short date pattern.
    std::string FieldValueText(int code, std::string_view shortDateFormat) const;
    // "=SERVICE|'FIELD'!'SYMBOL'", the symbol percent-encoded when it holds ":"; empty for an
    // unknown code.
    std::string DdeLinkFormula(int code, std::string_view serviceName) const;
    // NAME formula, symbol, DATE, TIME and CLOSE formulas, separated by tabs.
    std::string DdeLinkRow(std::string_view serviceName) const;

    // Drops the drawn images so the display draws the item again.
    void DiscardImages() { ImageCache.reset(); }
};

// A number with the given decimals, "." as decimal mark, without blanks.
std::string FixedText(double value, int decimals);

} // namespace vc
