#include "tape/ticker_item.h"

#include <algorithm>
#include <cmath>

#include "toolkit/dates.h"
#include "toolkit/text.h"
#include "toolkit/url.h"

namespace vc {
namespace {

// Wide enough for any double in fixed point, so FormatFixed never cuts digits.
constexpr int kWideField = 400;
constexpr int kNarrowField = 32;

// Digits after the "." of a threshold text.
int DecimalsOf(std::string_view threshold) {
    const std::string text = Trim(threshold);
    const std::size_t dot = text.find('.');
    return dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
}

struct tFieldEntry {
    int Code;
    const char* Name;
};

constexpr tFieldEntry kFields[] = {
    {kFieldClose, "CLOSE"},   {kFieldOpen, "OPEN"}, {kFieldHigh, "HIGH"}, {kFieldLow, "LOW"},
    {kFieldVolume, "VOLUME"}, {kFieldPrev, "PREV"}, {kFieldName, "NAME"}, {kFieldSymbol, "SYMBOL"},
    {kFieldDate, "DATE"},     {kFieldTime, "TIME"},
};

} // namespace

std::string FixedText(double value, int decimals) {
    // Prices fit a narrow field; only a text that fills it may have been cut and is done again wide.
    std::string text = FormatFixed(value, kNarrowField, decimals);
    if (text.front() != ' ') {
        text = FormatFixed(value, kWideField, decimals);
    }
    return Trim(text);
}

std::string tTickerItem::SectionName(std::string_view tapeSection, std::string_view kind, int index) {
    std::string digits = std::to_string(index);
    if (index >= 0 && digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    std::string name(tapeSection);
    name += kind;
    name += digits;
    return name;
}

bool tTickerItem::LoadFromIni(const tIniObject& ini, std::string_view tapeSection) {
    const std::string section = SectionName(tapeSection, "_Item", Index);
    Symbol = ini.ReadString(section, "Symbol", "").substr(0, kMaxSymbolLength);
    Name = ini.ReadString(section, "Name", "");
    Open = ini.ReadFloat(section, "Open", 0);
    High = ini.ReadFloat(section, "High", 0);
    Low = ini.ReadFloat(section, "Low", 0);
    Close = ini.ReadFloat(section, "Close", 0);
    Volume = ini.ReadFloat(section, "Volume", 0);
    Prev = ini.ReadFloat(section, "Prev", 0);
    Date = ini.ReadDateTime(section, "Date", 0);
    StampUp = ini.ReadDateTime(section, "StampUp", 0);
    StampDown = ini.ReadDateTime(section, "StampDown", 0);
    AlertUp = ini.ReadString(section, "AlertUp", "").substr(0, kMaxThresholdLength);
    AlertDown = ini.ReadString(section, "AlertDown", "").substr(0, kMaxThresholdLength);
    AlertNews = ini.ReadBool(section, "AlertNews", false);
    Gainer = ini.ReadInteger(section, "Gainer", 0);
    PendingAlertUp.clear();
    PendingAlertDown.clear();
    Symbol = UpperText(Symbol).substr(0, kMaxSymbolLength);
    Name = UpperText(Name);
    ini.ReadList(SectionName(tapeSection, "_Prices", Index), RecentTrades);
    // The program never stores more than 50; a longer list was edited by hand and only its newest
    // entries are kept, as a merge would have kept them.
    if (RecentTrades.size() > kMaxRecentTrades) {
        RecentTrades.erase(RecentTrades.begin(),
                           RecentTrades.end() - static_cast<std::ptrdiff_t>(kMaxRecentTrades));
    }
    ini.ReadList(SectionName(tapeSection, "_News", Index), News);
    return !Symbol.empty();
}

void tTickerItem::SaveToIni(tIniObject& ini, std::string_view tapeSection) const {
    const std::string section = SectionName(tapeSection, "_Item", Index);
    ini.WriteString(section, "Name", Name);
    ini.WriteString(section, "Symbol", Symbol);
    ini.WriteDateTime(section, "Date", Date);
    ini.WriteFloat(section, "Open", Open);
    ini.WriteFloat(section, "High", High);
    ini.WriteFloat(section, "Low", Low);
    ini.WriteFloat(section, "Close", Close);
    ini.WriteFloat(section, "Volume", Volume);
    ini.WriteFloat(section, "Prev", Prev);
    ini.WriteBool(section, "AlertNews", AlertNews);
    ini.WriteString(section, "AlertUp", AlertUp);
    ini.WriteString(section, "AlertDown", AlertDown);
    ini.WriteDateTime(section, "StampUp", StampUp);
    ini.WriteDateTime(section, "StampDown", StampDown);
    ini.WriteInteger(section, "Gainer", Gainer);
    ini.WriteList(SectionName(tapeSection, "_Prices", Index), RecentTrades);
    ini.WriteList(SectionName(tapeSection, "_News", Index), News);
}

bool tTickerItem::ApplyQuote(std::string_view dateText, double open, double high, double low, double close,
                             double volume, double prev, const tClock& clock) {
    const double now = clock.Now();
    const std::string date = ValidDate(dateText) ? std::string(dateText) : DateOf(DatePart(now));
    const auto same = [](double delivered, double current) { return delivered == 0 || delivered == current; };
    if (same(open, Open) && same(high, High) && same(low, Low) && same(close, Close) &&
        same(volume, Volume) && same(prev, Prev)) {
        return false;
    }
    Date = ParseDate(date) + TimePart(now);
    const auto store = [](double delivered, double& field) {
        if (delivered != 0) {
            field = delivered;
        }
    };
    store(open, Open);
    store(high, High);
    store(low, Low);
    store(close, Close);
    store(volume, Volume);
    store(prev, Prev);
    const int decimals = ItemDecimals();
    RecentTrades.push_back(DateOf(Date) + "|" + TimeOf(Date) + "|" + FixedText(Open, decimals) + "|" +
                           FixedText(High, decimals) + "|" + FixedText(Low, decimals) + "|" +
                           FixedText(Close, decimals) + "|" + FixedText(Volume, 0));
    if (RecentTrades.size() > kMaxRecentTrades) {
        RecentTrades.erase(RecentTrades.begin(),
                           RecentTrades.end() - static_cast<std::ptrdiff_t>(kMaxRecentTrades));
    }
    return true;
}

std::string tTickerItem::TodayCloseSeries(const tClock& clock) const {
    const std::string today = DateOf(clock.Now());
    std::string result;
    double previous = 0;
    for (const std::string& entry : RecentTrades) {
        const std::string close = Field(entry, 6);
        const double value = ToNumber(close);
        if (Field(entry, 1) == today && value != previous) {
            result += close;
            result += '|';
        }
        previous = value;
    }
    return result;
}

int tTickerItem::ItemDecimals() const {
    if (Symbol.find("=X") != std::string::npos) {
        return 4;
    }
    return std::max({2, DecimalsOf(AlertUp), DecimalsOf(AlertDown)});
}

std::string tTickerItem::PriceFormat(double value) const {
    if (value == 0) {
        return std::string();
    }
    return FixedText(value, value > 9999 ? 1 : ItemDecimals());
}

std::string tTickerItem::DisplayName() const {
    const std::string upper = UpperText(Name);
    if (CountChar(upper, '[') == 1 && CountChar(upper, ']') == 1) {
        return upper.substr(0, upper.find('['));
    }
    return upper;
}

int tTickerItem::FieldCode(std::string_view name) {
    const std::string upper = UpperText(name);
    for (const tFieldEntry& field : kFields) {
        if (upper == field.Name) {
            return field.Code;
        }
    }
    return -1;
}

std::string tTickerItem::FieldName(int code) {
    for (const tFieldEntry& field : kFields) {
        if (code == field.Code) {
            return field.Name;
        }
    }
    return std::string();
}

std::string tTickerItem::FieldValueText(int code, std::string_view shortDateFormat) const {
    switch (code) {
    case kFieldClose:
        return FixedText(Close, ItemDecimals());
    case kFieldOpen:
        return FixedText(Open, ItemDecimals());
    case kFieldHigh:
        return FixedText(High, ItemDecimals());
    case kFieldLow:
        return FixedText(Low, ItemDecimals());
    case kFieldVolume:
        return FixedText(Volume, 0);
    case kFieldPrev:
        return FixedText(Prev, ItemDecimals());
    case kFieldName:
        return DisplayName();
    case kFieldSymbol:
        return Symbol;
    case kFieldDate:
        return FormatDate(DatePart(Date), shortDateFormat);
    case kFieldTime:
        return TimeOf(Date);
    default:
        return std::string();
    }
}

std::string tTickerItem::DdeLinkFormula(int code, std::string_view serviceName) const {
    const std::string field = FieldName(code);
    if (field.empty()) {
        return std::string();
    }
    const std::string symbol = Symbol.find(':') != std::string::npos ? UrlEncode(Symbol) : Symbol;
    return "=" + std::string(serviceName) + "|'" + field + "'!'" + symbol + "'";
}

std::string tTickerItem::DdeLinkRow(std::string_view serviceName) const {
    return DdeLinkFormula(kFieldName, serviceName) + "\t" + Symbol + "\t" +
           DdeLinkFormula(kFieldDate, serviceName) + "\t" + DdeLinkFormula(kFieldTime, serviceName) + "\t" +
           DdeLinkFormula(kFieldClose, serviceName);
}

} // namespace vc
