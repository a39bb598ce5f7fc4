// An environment the test fills by hand, for code that reads the user's folders through a
// tEnvLookup (platform/xdg_dirs.h); the process's own environment stays untouched.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "platform/xdg_dirs.h"

namespace vc::test {

inline tEnvLookup FakeEnvironment(std::map<std::string, std::string> variables) {
    return [variables = std::move(variables)](const std::string& name) -> std::optional<std::string> {
        const auto found = variables.find(name);
        if (found == variables.end()) {
            return std::nullopt;
        }
        return found->second;
    };
}

} // namespace vc::test
