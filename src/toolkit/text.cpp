#include "toolkit/text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vc {

char UpperChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') {
        return static_cast<char>(u - 32);
    }
    // Windows-1252: the small accented letters sit 0x20 above their capitals.
    switch (u) {
    case 0xE0:
    case 0xE1:
    case 0xE2:
    case 0xE4:
    case 0xE5:
    case 0xE6:
    case 0xE7:
    case 0xE8:
    case 0xE9:
    case 0xEA:
    case 0xEB:
    case 0xEF:
    case 0xF1:
    case 0xF4:
    case 0xF6:
    case 0xFB:
    case 0xFC:
        return static_cast<char>(u - 0x20);
    default:
        return c;
    }
}

std::string UpperText(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = UpperChar(c);
    }
    return result;
}

std::string LowerText(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
    }
    return result;
}

std::string TrimLeft(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string TrimRight(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string_view TrimView(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

namespace {

// Start and length of field n (from 1), or false when the text has fewer fields.
bool FieldSpan(std::string_view text, int n, std::size_t& start, std::size_t& length) {
    if (n < 1) {
        return false;
    }
    std::size_t begin = 0;
    for (int i = 1; i < n; ++i) {
        const auto bar = text.find(kFieldSeparator, begin);
        if (bar == std::string_view::npos) {
            return false;
        }
        begin = bar + 1;
    }
    const auto end = text.find(kFieldSeparator, begin);
    start = begin;
    length = (end == std::string_view::npos ? text.size() : end) - begin;
    return true;
}

} // namespace

std::string Field(std::string_view text, int n) {
    std::size_t start = 0;
    std::size_t length = 0;
    return FieldSpan(text, n, start, length) ? std::string(text.substr(start, length)) : std::string();
}

int FieldCount(std::string_view text) {
    return CountChar(text, kFieldSeparator);
}

int FieldIndex(std::string_view list, std::string_view key) {
    const std::string wanted = UpperText(Trim(key));
    const int fields = FieldCount(list) + 1;
    std::size_t begin = 0;
    for (int i = 1; i <= fields; ++i) {
        auto end = list.find(kFieldSeparator, begin);
        if (end == std::string_view::npos) {
            end = list.size();
        }
        if (UpperText(Trim(list.substr(begin, end - begin))) == wanted) {
            return i;
        }
        begin = end + 1;
    }
    return 0;
}

std::string ReplaceField(std::string_view text, int n, std::string_view value) {
    if (n < 1) {
        return std::string(text);
    }
    std::string result(text);
    for (int have = FieldCount(result) + 1; have < n; ++have) {
        result += kFieldSeparator;
    }
    std::size_t start = 0;
    std::size_t length = 0;
    FieldSpan(result, n, start, length);
    result.replace(start, length, value);
    return result;
}

namespace {

template <class Matcher>
std::string ReplaceWith(std::string_view text, std::size_t fromLength, std::string_view to, Matcher find) {
    std::string result;
    result.reserve(text.size());
    std::size_t at = 0;
    while (true) {
        const auto hit = find(at);
        if (hit == std::string_view::npos) {
            result.append(text.substr(at));
            return result;
        }
        result.append(text.substr(at, hit - at));
        result.append(to);
        at = hit + fromLength;
    }
}

} // namespace

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty() || from == to || text.find(from) == std::string_view::npos) {
        return std::string(text);
    }
    return ReplaceWith(text, from.size(), to, [&](std::size_t at) { return text.find(from, at); });
}

std::string ReplaceAllCaseless(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty() || from == to) {
        return std::string(text);
    }
    const std::string upperText = UpperText(text);
    const std::string upperFrom = UpperText(from);
    if (upperText.find(upperFrom) == std::string::npos) {
        return std::string(text);
    }
    return ReplaceWith(text, from.size(), to, [&](std::size_t at) { return upperText.find(upperFrom, at); });
}

std::string After(std::string_view text, char ch) {
    const auto at = text.find(ch);
    return at == std::string_view::npos ? std::string() : std::string(text.substr(at + 1));
}

std::string Before(std::string_view text, char ch) {
    return std::string(text.substr(0, text.find(ch)));
}

std::string AfterLast(std::string_view text, char ch) {
    const auto at = text.rfind(ch);
    return at == std::string_view::npos ? std::string(text) : std::string(text.substr(at + 1));
}

std::string BeforeLast(std::string_view text, char ch) {
    const auto at = text.rfind(ch);
    return at == std::string_view::npos ? std::string() : std::string(text.substr(0, at));
}

std::string RemoveChar(std::string_view text, char ch) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c != ch) {
            result += c;
        }
    }
    return result;
}

int CountChar(std::string_view text, char ch) {
    int count = 0;
    for (const char c : text) {
        count += c == ch ? 1 : 0;
    }
    return count;
}

std::string Right(std::string_view text, int n) {
    if (n <= 0) {
        return std::string();
    }
    const auto count = static_cast<std::size_t>(n);
    return count >= text.size() ? std::string(text) : std::string(text.substr(text.size() - count));
}

double ToNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    // The number is the longest run of the form digits [. digits] [e [sign] digits].
    const std::size_t start = at;
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
        ++digits;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '-' || text[exponent] == '+')) {
            ++exponent;
        }
        if (exponent < text.size() && text[exponent] >= '0' && text[exponent] <= '9') {
            at = exponent;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
                ++at;
            }
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data() + start, text.data() + at, value);
    if (result.ec != std::errc() || !std::isfinite(value)) {
        return 0.0;
    }
    return negative ? -value : value;
}

int ToInteger(std::string_view text) {
    const double value = std::trunc(ToNumber(text));
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

bool IsNumber(std::string_view text) {
    std::size_t at = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        at = 1;
    }
    int digits = 0;
    int points = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.' && points == 0) {
            ++points;
        } else {
            return false;
        }
    }
    return digits > 0;
}

std::string FormatFixed(double value, int width, int decimals) {
    if (decimals < 0) {
        decimals = 0;
    }
    if (decimals > 18) {
        decimals = 18;
    }
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    if (decimals == 0) {
        value += 0.0001;
    }
    // to_chars ignores the locale, so "." stays the decimal mark in every environment.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, decimals);
    std::string text = result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
    if (text == "-0" ||
        (text.size() > 1 && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)) {
        text.erase(0, 1); // no "-0.00" for a value that rounds to zero
    }
    if (width <= 0) {
        return std::string();
    }
    const auto w = static_cast<std::size_t>(width);
    if (text.size() < w) {
        text.insert(0, w - text.size(), ' ');
        return text;
    }
    // Cutting may drop decimals, never digits of the whole part: a value too wide for its field
    // keeps its whole part, so 1e15 in 15 characters does not turn into 1e14.
    const auto point = text.find('.');
    const std::size_t whole = point == std::string::npos ? text.size() : point;
    if (whole >= w) {
        return text.substr(0, whole);
    }
    return text.substr(0, w);
}

std::string TrimZeros(std::string_view text) {
    std::string result = Trim(text);
    if (!IsNumber(result) || result.find('.') == std::string::npos) {
        return result;
    }
    while (!result.empty() && result.back() == '0') {
        result.pop_back();
    }
    if (!result.empty() && result.back() == '.') {
        result.pop_back();
    }
    if (result.empty() || result == "-" || result == "+") {
        return "0"; // ".000" or "-.0" were zero
    }
    return result;
}

std::string NumberText(double value) {
    return TrimZeros(FormatFixed(value, 15, 6));
}

std::string WholeText(double value) {
    if (!std::isfinite(value)) {
        return "0";
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof(buffer), std::round(value), std::chars_format::fixed, 0);
    std::string text = result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string("0");
    return text == "-0" ? std::string("0") : text;
}

} // namespace vc
