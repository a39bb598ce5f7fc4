#include "market/proxy_settings.h"

#include "toolkit/text.h"

#include <cctype>

namespace vc {

namespace {

// Field n (from 1) of a "|"-separated text; empty past the last field.
std::string_view FieldOf(std::string_view text, int n) {
    for (int i = 1; i < n; ++i) {
        const auto bar = text.find('|');
        if (bar == std::string_view::npos) {
            return {};
        }
        text.remove_prefix(bar + 1);
    }
    return text.substr(0, text.find('|'));
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != prefix[i]) {
            return false;
        }
    }
    return true;
}

// A port text of 1 to 5 digits within 1..65535, else 0.
int PortOf(std::string_view text) {
    if (text.empty() || text.size() > 5) {
        return 0;
    }
    int port = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return 0;
        }
        port = port * 10 + (c - '0');
    }
    return port <= 65535 ? port : 0;
}

} // namespace

tProxySettings ParseProxySettings(std::string_view text) {
    tProxySettings result;
    result.Address = Trim(FieldOf(text, 1));
    if (result.Address.empty()) {
        return result;
    }
    result.User = Trim(FieldOf(text, 2));
    result.Password = Trim(FieldOf(text, 3));

    // Users paste whole proxy URLs as often as host:port.
    std::string_view rest = result.Address;
    if (StartsWithNoCase(rest, "http://")) {
        rest.remove_prefix(7);
    }
    rest = rest.substr(0, rest.find('/'));
    std::string_view portText;
    if (!rest.empty() && rest.front() == '[') {
        const auto close = rest.find(']');
        const std::string_view after =
            close == std::string_view::npos ? std::string_view{} : rest.substr(close + 1);
        if (!after.empty() && after.front() == ':') {
            portText = after.substr(1);
        }
        rest = rest.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
    } else {
        const auto colon = rest.rfind(':');
        // More than one colon is a bare IPv6 address, which has no room for a port.
        if (colon != std::string_view::npos && rest.find(':') == colon) {
            portText = rest.substr(colon + 1);
            rest = rest.substr(0, colon);
        }
    }
    result.Host = std::string(rest);
    result.Port = PortOf(portText);
    if (result.Port == 0) {
        result.Port = kDefaultProxyPort;
    }
    return result;
}

} // namespace vc
