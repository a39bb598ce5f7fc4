#include "toolkit/url.h"

#include <algorithm>

#include "toolkit/text.h"

namespace vc {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool StaysPlain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '/' || c == '\\' || c == '|';
}

bool StaysInQueryValue(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        return true;
    }
    return std::string_view("-._~!$'()*,;=:@/?").find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsVisibleAscii(unsigned char c) {
    return c > 0x20 && c < 0x7F;
}

bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

std::string PercentEncode(std::string_view text, bool (*stays)(unsigned char)) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (stays(u)) {
            result += c;
        } else {
            result += '%';
            result += kHex[u >> 4];
            result += kHex[u & 0x0F];
        }
    }
    return result;
}

} // namespace

std::string UrlEncode(std::string_view text) {
    return PercentEncode(text, StaysPlain);
}

std::string EncodeQueryValue(std::string_view text) {
    return PercentEncode(text, StaysInQueryValue);
}

std::string EscapeUnprintable(std::string_view text) {
    return PercentEncode(text, IsVisibleAscii);
}

std::string PercentDecode(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            result += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            result += c;
        }
    }
    return result;
}

std::string UrlDecode(std::string_view text) {
    // A "+" written as "%2B" must stay a plus, so blanks are put in before the digits are decoded.
    std::string blanks(text);
    std::replace(blanks.begin(), blanks.end(), '+', ' ');
    return PercentDecode(blanks);
}

std::string QueryValue(std::string_view text, std::string_view name) {
    const std::string upper = UpperText(text);
    const std::string wanted = UpperText(Trim(name)) + "=";
    // The name must stand on its own: "s" is not found inside "symbols=".
    auto at = upper.find(wanted);
    while (at != std::string::npos && at > 0 && IsNameChar(upper[at - 1])) {
        at = upper.find(wanted, at + 1);
    }
    if (at == std::string::npos || wanted.size() == 1) {
        return std::string();
    }
    const std::size_t start = at + wanted.size();
    const auto end = text.find('&', start);
    const std::string_view value =
        text.substr(start, (end == std::string_view::npos ? text.size() : end) - start);
    return UrlDecode(Trim(value));
}

} // namespace vc
