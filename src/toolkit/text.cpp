#include "toolkit/text.h"

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

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::string();
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

} // namespace vc
