#include "app/instance_files.h"

#include <cstdlib>

#include "toolkit/program_values.h"

namespace vc {
namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace

std::string SettingsFileFor(const std::string& programDir, int instanceNumber) {
    std::string name = programDir + kProgramName;
    if (instanceNumber > 1) {
        name += "_" + std::to_string(instanceNumber);
    }
    return name + ".INI";
}

std::string BackupFileFor(const std::string& settingsFileName) {
    const std::size_t slash = settingsFileName.rfind('/');
    const std::size_t dot = settingsFileName.rfind('.');
    const bool dotInName = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (dotInName ? settingsFileName.substr(0, dot) : settingsFileName) + ".BCK";
}

std::string ProgramDirFromEnvironment() {
    if (const std::string home = Environment("VELOCREST_HOME"); !home.empty()) {
        return WithSlash(home);
    }
    if (const std::string data = Environment("XDG_DATA_HOME"); !data.empty()) {
        return WithSlash(data) + "velocrest/";
    }
    if (const std::string home = Environment("HOME"); !home.empty()) {
        return WithSlash(home) + ".local/share/velocrest/";
    }
    return {};
}

} // namespace vc
