#include "market/qt/internet.h"

#include <QByteArray>

#include <gtest/gtest.h>

#include <optional>

namespace vc {
namespace {

// Sets an environment variable for the scope, restoring it afterwards.
class tEnvVar {
public:
    tEnvVar(const char* name, const char* value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) {
            old_ = qgetenv(name);
        }
        if (value != nullptr) {
            qputenv(name, value);
        } else {
            qunsetenv(name);
        }
    }
    ~tEnvVar() {
        if (old_) {
            qputenv(name_, *old_);
        } else {
            qunsetenv(name_);
        }
    }
    tEnvVar(const tEnvVar&) = delete;
    tEnvVar& operator=(const tEnvVar&) = delete;

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

TEST(SystemProxy, ComesFromTheEnvironmentWithADefaultPort) {
    struct tCase {
        const char* HttpProxy;
        const char* Expected;
    };
    const tCase cases[] = {
        {"http://proxy.lan:3128", "proxy.lan:3128"},
        {"http://proxy.lan", "proxy.lan:8080"},
        {nullptr, ""},
    };
    const tEnvVar all("all_proxy", nullptr);
    const tEnvVar none("no_proxy", nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.HttpProxy ? c.HttpProxy : "(unset)");
        const tEnvVar proxy("http_proxy", c.HttpProxy);
        EXPECT_EQ(SystemProxy(), c.Expected);
    }
}

} // namespace
} // namespace vc
