#include "display/item_texts.h"

#include "toolkit/dates.h"
#include "toolkit/text.h"

#include <string_view>

namespace vc {
namespace {

struct tBulletEntry {
    std::string_view Symbol;
    std::string_view Code;
};

// Indices and currencies whose market the symbol's form does not tell.
constexpr tBulletEntry kBulletTable[] = {
    {"^FCHI", "PA"},    {"^FTSE", "L"},      {"^FTAI", "L"},   {"^ISEQ", "IR"},    {"^AEX", "AS"},
    {"^BFX", "BR"},     {"^OMX", "ST"},      {"^GDAXI", "DE"}, {"^VDAX", "DE"},    {"^SSMI", "VX"},
    {"^PSI20", "LS"},   {"^IBEX", "MC"},     {"^SPMIB", "MI"}, {"^JSAI", "MI"},    {"^N100", "EU"},
    {"^N150", "EU"},    {"^STOXX50E", "EU"}, {"^ATX", "VI"},   {"EURUSD=X", "EU"}, {"USDJPY=X", "JP"},
    {"USDZAR=X", "SA"}, {"XAUEUR=X", "EU"},
};

bool HasQuote(const tTickerItem& item) {
    return item.Close != 0 && item.Prev != 0;
}

// Two decimals with a "+" before what is written as more than 0, so a rise too small to show
// reads "0.00", not "+0.00".
std::string SignedText(double value) {
    std::string text = FixedText(value, 2);
    if (ToNumber(text) > 0) {
        text.insert(0, 1, '+');
    }
    return text;
}

} // namespace

int Trend(const tTickerItem& item) {
    if (!HasQuote(item)) {
        return 0;
    }
    return item.Close > item.Prev ? 1 : item.Close < item.Prev ? -1 : 0;
}

std::string PriceText(const tTickerItem& item) {
    return FixedText(item.Close, item.ItemDecimals());
}

std::string PercentText(const tTickerItem& item) {
    if (!HasQuote(item)) {
        return std::string();
    }
    if (item.Close == item.Prev) {
        return "=0%";
    }
    return SignedText(item.Close / item.Prev * 100 - 100) + "%";
}

std::string ChangeText(const tTickerItem& item) {
    if (!HasQuote(item)) {
        return std::string();
    }
    if (item.Close == item.Prev) {
        return "=0";
    }
    return SignedText(item.Close - item.Prev);
}

std::optional<std::string> FieldText(const tTickerItem& item, tSkinFieldId field) {
    switch (field) {
    case tSkinFieldId::Name:
        return item.DisplayName();
    case tSkinFieldId::Tick:
        return item.Symbol;
    case tSkinFieldId::Close:
        if (item.Close > 0) {
            return PriceText(item);
        }
        return std::nullopt;
    case tSkinFieldId::Proc:
    case tSkinFieldId::Abs: {
        std::string text = field == tSkinFieldId::Proc ? PercentText(item) : ChangeText(item);
        if (text.empty()) {
            return std::nullopt;
        }
        return text;
    }
    }
    return std::nullopt;
}

std::string BulletCode(const tTickerItem& item) {
    const std::string& name = item.Name;
    if (CountChar(name, '[') == 1 && CountChar(name, ']') == 1) {
        const std::size_t open = name.find('[');
        const std::size_t close = name.find(']');
        // "]" before "[" names no code; the symbol decides then.
        if (close > open) {
            return name.substr(open + 1, close - open - 1);
        }
    }
    const std::string& symbol = item.Symbol;
    for (const tBulletEntry& entry : kBulletTable) {
        if (symbol == entry.Symbol) {
            return std::string(entry.Code);
        }
    }
    if (symbol.empty()) {
        return std::string();
    }
    if (symbol.front() == '^') {
        return "IX";
    }
    if (const std::size_t dot = symbol.rfind('.'); dot != std::string::npos) {
        return Trim(symbol.substr(dot + 1));
    }
    if (symbol.find("=X") != std::string::npos) {
        return "FX";
    }
    return "US";
}

bool IsOldQuote(const tTickerItem& item, double now) {
    return DatePart(item.Date) != DatePart(now);
}

std::optional<tColor> BlinkTint(int alertState, double now) {
    const bool oddSecond = DecodeTime(now).Second % 2 == 1;
    if (alertState == 2 && oddSecond) {
        return kClRed;
    }
    if (alertState == 3 && !oddSecond) {
        return kClLime;
    }
    return std::nullopt;
}

} // namespace vc
