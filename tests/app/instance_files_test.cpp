#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "app/instance_files.h"

namespace vc {
namespace {

TEST(InstanceFilesTest, SettingsAndBackupNames) {
    struct {
        int Instance;
        const char* Settings;
        const char* Backup;
    } const cases[] = {
        {1, "/p/Velocrest.INI", "/p/Velocrest.BCK"},
        {2, "/p/Velocrest_2.INI", "/p/Velocrest_2.BCK"},
        {12, "/p/Velocrest_12.INI", "/p/Velocrest_12.BCK"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Instance);
        EXPECT_EQ(SettingsFileFor("/p/", c.Instance), c.Settings);
        EXPECT_EQ(BackupFileFor(c.Settings), c.Backup);
    }
    // A dot in a folder name is not the file's extension.
    EXPECT_EQ(BackupFileFor("/home/a.b/settings"), "/home/a.b/settings.BCK");
}

// Sets or clears an environment variable for the life of the object.
class tEnv {
public:
    tEnv(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        Set(value);
    }
    ~tEnv() { Set(old_); }
    tEnv(const tEnv&) = delete;
    tEnv& operator=(const tEnv&) = delete;

private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            setenv(name_, value->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(InstanceFilesTest, ProgramDirFromEnvironment) {
    struct {
        std::optional<std::string> Home, Data, UserHome;
        const char* Expected;
    } const cases[] = {
        {"/v/home", "/xdg", "/u", "/v/home/"},           {"/v/home/", std::nullopt, "/u", "/v/home/"},
        {std::nullopt, "/xdg", "/u", "/xdg/velocrest/"}, {"", "", "/u", "/u/.local/share/velocrest/"},
        {std::nullopt, std::nullopt, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        const tEnv home("VELOCREST_HOME", c.Home), data("XDG_DATA_HOME", c.Data), user("HOME", c.UserHome);
        EXPECT_EQ(ProgramDirFromEnvironment(), c.Expected);
    }
}

} // namespace
} // namespace vc
