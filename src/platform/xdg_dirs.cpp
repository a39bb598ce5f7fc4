#include "platform/xdg_dirs.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace vc {

namespace {

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string BaseDir(const tEnvLookup& env, const char* variable, const char* belowHome) {
    if (const std::optional<std::string> value = env(variable);
        value && !value->empty() && value->front() == '/') {
        return WithoutTrailingSlashes(*value);
    }
    const std::string home = HomeDir(env);
    return home.empty() ? std::string() : WithoutTrailingSlashes(home) + "/" + belowHome;
}

} // namespace

tEnvLookup SystemEnvironment() {
    return [](const std::string& name) -> std::optional<std::string> {
        const char* value = std::getenv(name.c_str());
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    };
}

std::string HomeDir(const tEnvLookup& env) {
    if (const std::optional<std::string> home = env("HOME"); home && !home->empty()) {
        return *home;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

std::string XdgDataHome(const tEnvLookup& env) {
    return BaseDir(env, "XDG_DATA_HOME", ".local/share");
}

std::string XdgConfigHome(const tEnvLookup& env) {
    return BaseDir(env, "XDG_CONFIG_HOME", ".config");
}

} // namespace vc
