#include "market/proxy_settings.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

struct tProxyCase {
    const char* Text;
    const char* Address;
    const char* User;
    const char* Password;
    const char* Host;
    int Port;
};

TEST(ProxySettings, FieldsAreTrimmedAndTheAddressSplit) {
    const tProxyCase cases[] = {
        {"", "", "", "", "", 0},
        {"   ", "", "", "", "", 0},
        {"  |  |  ", "", "", "", "", 0},
        // Without an address there is no proxy, whatever the other fields hold.
        {" |user|secret", "", "", "", "", 0},
        {"proxy.lan:3128", "proxy.lan:3128", "", "", "proxy.lan", 3128},
        {"  proxy.lan:3128 |  anna  | s3 cret ", "proxy.lan:3128", "anna", "s3 cret", "proxy.lan", 3128},
        {"proxy.lan", "proxy.lan", "", "", "proxy.lan", kDefaultProxyPort},
        {"proxy.lan:", "proxy.lan:", "", "", "proxy.lan", kDefaultProxyPort},
        {"proxy.lan:99999", "proxy.lan:99999", "", "", "proxy.lan", kDefaultProxyPort},
        {"proxy.lan:80a", "proxy.lan:80a", "", "", "proxy.lan", kDefaultProxyPort},
        {"HTTP://proxy.lan:8000/", "HTTP://proxy.lan:8000/", "", "", "proxy.lan", 8000},
        {"10.0.0.1:8081|u", "10.0.0.1:8081", "u", "", "10.0.0.1", 8081},
        {"[fe80::1]:3128", "[fe80::1]:3128", "", "", "fe80::1", 3128},
        {"[fe80::1]", "[fe80::1]", "", "", "fe80::1", kDefaultProxyPort},
        {"fe80::1", "fe80::1", "", "", "fe80::1", kDefaultProxyPort},
        // A fourth field is not part of the password.
        {"p:1|u|pw|extra", "p:1", "u", "pw", "p", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        const tProxySettings proxy = ParseProxySettings(c.Text);
        EXPECT_EQ(proxy.Address, c.Address);
        EXPECT_EQ(proxy.User, c.User);
        EXPECT_EQ(proxy.Password, c.Password);
        EXPECT_EQ(proxy.Host, c.Host);
        EXPECT_EQ(proxy.Port, c.Port);
        EXPECT_EQ(proxy.Enabled(), *c.Address != '\0');
    }
}

} // namespace
} // namespace vc
