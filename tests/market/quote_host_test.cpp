#include "market/quote_host.h"

#include "tape/ini_object.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(QuoteHost, ModeChoosesTheHost) {
    tQuoteHost host;
    EXPECT_EQ(host.Mode, 0);
    EXPECT_EQ(host.Host, "127.0.0.1:8471");
    host.HostUS = "us:1";
    host.HostUK = "uk:2";
    struct tCase {
        int Mode;
        int Expected;
        const char* Host;
    };
    for (const tCase& c :
         {tCase{1, 1, "uk:2"}, tCase{0, 0, "us:1"}, tCase{2, 0, "us:1"}, tCase{-1, 0, "us:1"}}) {
        SCOPED_TRACE(c.Mode);
        host.SelectQuoteHost(c.Mode);
        EXPECT_EQ(host.Mode, c.Expected);
        EXPECT_EQ(host.Host, c.Host);
        EXPECT_EQ(host.IsUk(), c.Expected == 1);
    }
}

TEST(QuoteHost, HostsFromTheSettingsFile) {
    struct tCase {
        const char* Name;
        const char* File;
        const char* Us;
        const char* Uk;
    };
    const tCase cases[] = {
        {"both keys", "[General]\r\nQuoteHostUS=quotes.example.com\r\nQuoteHostUK=uk.example.com:8080\r\n",
         "quotes.example.com", "uk.example.com:8080"},
        {"keys in other case", "[general]\r\nquotehostuk= 10.0.0.5:81 \r\n", "127.0.0.1:8471", "10.0.0.5:81"},
        {"no keys", "[General]\r\nServer=1\r\n", "127.0.0.1:8471", "127.0.0.1:8471"},
        {"blank value", "[General]\r\nQuoteHostUS=\r\nQuoteHostUK=   \r\n", "127.0.0.1:8471",
         "127.0.0.1:8471"},
        {"scheme and path", "[General]\r\nQuoteHostUS=http://q.example:8000/d/\r\n", "q.example:8000",
         "127.0.0.1:8471"},
        {"other section", "[Tape_000]\r\nQuoteHostUS=wrong.example\r\n", "127.0.0.1:8471", "127.0.0.1:8471"},
        {"empty file", "", "127.0.0.1:8471", "127.0.0.1:8471"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        tIniObject settings;
        settings.LoadFromBytes(c.File);
        tQuoteHost host;
        host.SelectQuoteHost(1);
        ReadQuoteHosts(settings, host);
        EXPECT_EQ(host.HostUS, c.Us);
        EXPECT_EQ(host.HostUK, c.Uk);
        EXPECT_EQ(host.Host, c.Uk) << "the current mode follows the new names";
        host.SelectQuoteHost(0);
        EXPECT_EQ(host.Host, c.Us);
    }
}

TEST(QuoteHost, MissingKeysKeepWhatWasThere) {
    tIniObject settings;
    settings.LoadFromBytes("[General]\r\nQuoteHostUK=uk.example\r\n");
    tQuoteHost host;
    host.HostUS = "set.before:1";
    ReadQuoteHosts(settings, host);
    EXPECT_EQ(host.HostUS, "set.before:1");
    EXPECT_EQ(host.Host, "set.before:1");
    EXPECT_EQ(host.HostUK, "uk.example");
}

TEST(FinanceHosts, DefaultsAndKeys) {
    tFinanceHosts hosts;
    const std::string defaults[] = {hosts.US, hosts.UK, hosts.FR, hosts.DE, hosts.IN,
                                    hosts.AU, hosts.AR, hosts.BR, hosts.MX, std::string(kDefaultQuoteHost)};
    for (const std::string& a : defaults) {
        for (const std::string& b : defaults) {
            EXPECT_TRUE(&a == &b || b.find(a) == std::string::npos) << a << " in " << b;
        }
    }
    tIniObject settings;
    settings.LoadFromBytes(
        "[General]\r\nFinanceHostUS=http://lookup.example:81/x\r\nfinancehostmx=mx.example\r\n");
    ReadFinanceHosts(settings, hosts);
    EXPECT_EQ(hosts.US, "lookup.example:81");
    EXPECT_EQ(hosts.MX, "mx.example");
    EXPECT_EQ(hosts.UK, "127.0.0.1:8482");
}

} // namespace
} // namespace vc
