#include "message_text.h"

#include <array>
#include <cstdint>

namespace vc::skypemsg {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of Windows-1252 is Latin-1.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kHex[] = "0123456789ABCDEF";

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes the sequence at pos and moves past it; false (pos moved by one byte) for a broken,
// overlong or surrogate sequence or one beyond U+10FFFF.
bool NextCodePoint(std::string_view text, std::size_t& pos, char32_t& c) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        ++pos;
        return true;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        minimum = 0x80;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        minimum = 0x800;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        minimum = 0x10000;
        c = lead & 0x07;
    } else {
        ++pos;
        return false;
    }
    if (pos + length > text.size()) {
        ++pos;
        return false;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            ++pos;
            return false;
        }
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return false;
    }
    pos += length;
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

void AppendEscape(std::string& out, char c) {
    const auto byte = static_cast<unsigned char>(c);
    out += '%';
    out += kHex[byte >> 4];
    out += kHex[byte & 0x0F];
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    char32_t c = 0;
    while (pos < bytes.size()) {
        if (!NextCodePoint(bytes, pos, c)) {
            return false;
        }
    }
    return true;
}

std::string Win1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : char32_t{byte});
    }
    return out;
}

std::string Utf8ToWin1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    char32_t c = 0;
    while (pos < utf8.size()) {
        if (!NextCodePoint(utf8, pos, c)) {
            out += '?';
            continue;
        }
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            if (kHighControls[i] == c) {
                mapped = static_cast<char>(0x80 + i);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

std::string AsUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Win1252ToUtf8(bytes);
}

std::string BarsToLineBreaks(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '|') {
            c = '\n';
        }
    }
    return out;
}

std::string TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return std::string(text.substr(first, last - first));
}

std::vector<std::string> SplitRecipients(std::string_view recipients) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= recipients.size()) {
        const std::size_t end = recipients.find_first_of(";,", start);
        const std::size_t stop = end == std::string_view::npos ? recipients.size() : end;
        std::string one = TrimBlanks(recipients.substr(start, stop - start));
        if (!one.empty()) {
            out.push_back(std::move(one));
        }
        start = stop + 1;
    }
    return out;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    out.reserve(utf8.size() + 2);
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                out += "\\u00";
                out += kHex[static_cast<unsigned char>(c) >> 4];
                out += kHex[static_cast<unsigned char>(c) & 0x0F];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string FormEncode(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        if (c == ' ') {
            out += '+';
        } else if (IsUnreserved(c) && c != '~') {
            out += c;
        } else if (c == '*') {
            out += c;
        } else {
            AppendEscape(out, c);
        }
    }
    return out;
}

std::string PercentEncode(std::string_view utf8, std::string_view keep) {
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char c : utf8) {
        if (IsUnreserved(c) || (c != '\0' && keep.find(c) != std::string_view::npos)) {
            out += c;
        } else {
            AppendEscape(out, c);
        }
    }
    return out;
}

std::string Base64(std::string_view bytes) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const std::uint32_t n = (std::uint32_t{static_cast<unsigned char>(bytes[i])} << 16) |
                                (std::uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8) |
                                static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += kAlphabet[(n >> 6) & 63];
        out += kAlphabet[n & 63];
    }
    const std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        std::uint32_t n = std::uint32_t{static_cast<unsigned char>(bytes[i])} << 16;
        if (rest == 2) {
            n |= std::uint32_t{static_cast<unsigned char>(bytes[i + 1])} << 8;
        }
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

std::string OneLine(std::string_view utf8, std::size_t maxChars) {
    std::string out;
    std::size_t chars = 0;
    std::size_t pos = 0;
    bool pendingBlank = false;
    while (pos < utf8.size() && chars < maxChars) {
        const std::size_t start = pos;
        char32_t c = 0;
        const bool valid = NextCodePoint(utf8, pos, c);
        if (valid && (c <= 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c == 0x2028 || c == 0x2029)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank) {
            out += ' ';
            ++chars;
            pendingBlank = false;
            if (chars == maxChars) {
                break;
            }
        }
        out.append(utf8.substr(start, pos - start));
        ++chars;
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

} // namespace vc::skypemsg
