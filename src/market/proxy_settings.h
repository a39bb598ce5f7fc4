// The program-wide proxy setting as the user types it, "address|user|password", and how the
// address is split into the host and port the HTTP client connects to.
#pragma once

#include <string>
#include <string_view>

namespace vc {

// A proxy address without a port gets the usual port of HTTP proxies.
inline constexpr int kDefaultProxyPort = 8080;

struct tProxySettings {
    std::string Address; // as typed, trimmed; empty = no proxy
    std::string User;
    std::string Password;
    std::string Host; // Address without scheme, port and path
    int Port = 0;

    bool Enabled() const { return !Address.empty(); }
};

// Splits a setting text. Each field is trimmed of spaces; an empty address means no proxy and then
// user and password are dropped as well.
tProxySettings ParseProxySettings(std::string_view text);

} // namespace vc
