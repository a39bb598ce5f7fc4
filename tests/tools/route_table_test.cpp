#include "route_table.h"

#include <gtest/gtest.h>

namespace vc::sim {
namespace {

TEST(RouteTable, SendsEachPathToItsPage) {
    tRouteTable routes;
    routes.Add("/a", [](const tRequest& r) { return tResponse{200, "text/plain", "a:" + r.Query}; });
    routes.Add("/b c", [](const tRequest&) { return tResponse{201, "text/plain", "b"}; });
    routes.Add("/a", [](const tRequest& r) { return tResponse{200, "text/plain", "A:" + r.Query}; });

    EXPECT_EQ(routes.Dispatch({"GET", "/a", "x=1", ""}).Body, "A:x=1");
    EXPECT_EQ(routes.Dispatch({"GET", "/b%20c", "", ""}).Status, 201);
    EXPECT_EQ(routes.Dispatch({"GET", "/A", "", ""}).Status, 404);
    EXPECT_EQ(routes.Dispatch({"GET", "/a/", "", ""}).Status, 404);
    EXPECT_EQ(routes.Dispatch({"POST", "/a", "", ""}).Status, 405);
    EXPECT_EQ(routes.Dispatch({"POST", "/nowhere", "", ""}).Status, 404);
    EXPECT_EQ(routes.Paths(), (std::vector<std::string>{"/a", "/b c"}));
}

TEST(RouteTable, QueryValues) {
    struct tCase {
        const char* Query;
        const char* Name;
        const char* Value;
        bool Present;
    };
    const tCase cases[] = {
        {"s=MSFT+%5EDJI&f=sl1", "s", "MSFT+%5EDJI", true},
        {"s=MSFT&f=sl1", "f", "sl1", true},
        {"s=1&s=2", "s", "1", true},
        {"ss=1&s=2", "s", "2", true},
        {"s", "s", "", true},
        {"s=", "s", "", true},
        {"a=1&", "s", "", false},
        {"", "s", "", false},
        {"%73=x", "s", "x", true},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Query);
        EXPECT_EQ(RawQueryValue(c.Query, c.Name), c.Value);
        EXPECT_EQ(HasQueryValue(c.Query, c.Name), c.Present);
    }
}

TEST(RouteTable, PercentDecoding) {
    struct tCase {
        const char* Text;
        const char* Decoded;
    };
    const tCase cases[] = {{"AT%26T", "AT&T"}, {"%5eDJI", "^DJI"}, {"a+b", "a+b"},   {"100%", "100%"},
                           {"%4", "%4"},       {"%zz1", "%zz1"},   {"%41%42", "AB"}, {"", ""}};
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Text);
        EXPECT_EQ(PercentDecode(c.Text), c.Decoded);
    }
}

} // namespace
} // namespace vc::sim
