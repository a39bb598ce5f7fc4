// Where the desktop keeps per-user data and configuration: the XDG base directories, read from an
// environment the caller hands in (the process's own by default), so tests can point them anywhere.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace vc {

// The value of an environment variable, or nothing when it is not set.
using tEnvLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The process's environment.
tEnvLookup SystemEnvironment();

// The user's home folder: $HOME, else the password database's entry; empty when neither knows.
std::string HomeDir(const tEnvLookup& env);
// $XDG_DATA_HOME when it is an absolute path (the base directory rules ignore relative ones), else
// ~/.local/share; no trailing "/"; empty without a home folder.
std::string XdgDataHome(const tEnvLookup& env);
// $XDG_CONFIG_HOME when absolute, else ~/.config; no trailing "/"; empty without a home folder.
std::string XdgConfigHome(const tEnvLookup& env);

} // namespace vc
