#include "platform/xdg_dirs.h"

#include <gtest/gtest.h>

#include "support/fake_environment.h"

namespace vc {
namespace {

TEST(XdgDirsTest, BaseFoldersComeFromTheEnvironmentOrBelowHome) {
    struct tCase {
        const char* Name;
        std::map<std::string, std::string> Env;
        const char* DataHome;
        const char* ConfigHome;
    };
    const tCase cases[] = {
        {"defaults below home", {{"HOME", "/home/ann"}}, "/home/ann/.local/share", "/home/ann/.config"},
        {"set", {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "/d"}, {"XDG_CONFIG_HOME", "/c"}}, "/d", "/c"},
        {"trailing slashes dropped",
         {{"HOME", "/home/ann/"}, {"XDG_DATA_HOME", "/d//"}},
         "/d",
         "/home/ann/.config"},
        // The base directory rules say relative values are invalid and must be ignored.
        {"relative ignored",
         {{"HOME", "/home/ann"}, {"XDG_DATA_HOME", "data"}, {"XDG_CONFIG_HOME", "./c"}},
         "/home/ann/.local/share",
         "/home/ann/.config"},
        {"empty ignored", {{"HOME", "/h"}, {"XDG_DATA_HOME", ""}}, "/h/.local/share", "/h/.config"},
    };
    for (const tCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const tEnvLookup env = test::FakeEnvironment(c.Env);
        EXPECT_EQ(XdgDataHome(env), c.DataHome);
        EXPECT_EQ(XdgConfigHome(env), c.ConfigHome);
    }
}

TEST(XdgDirsTest, WithoutHomeVariableThePasswordDatabaseNamesTheHome) {
    const std::string home = HomeDir(test::FakeEnvironment({}));
    ASSERT_FALSE(home.empty());
    EXPECT_EQ(home.front(), '/');
    EXPECT_EQ(XdgDataHome(test::FakeEnvironment({})), home + "/.local/share");
}

} // namespace
} // namespace vc
