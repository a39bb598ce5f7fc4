#include "toolkit/program_values.h"

namespace vc {

std::string SettingsFileNameFor(const std::string& programDir, int instanceNumber) {
    if (instanceNumber <= 1) {
        return programDir + kProgramName + ".INI";
    }
    return programDir + kProgramName + "_" + std::to_string(instanceNumber) + ".INI";
}

std::string BackupFileNameFor(const std::string& settingsFileName) {
    const std::size_t slash = settingsFileName.rfind('/');
    const std::size_t dot = settingsFileName.rfind('.');
    const bool dotInName = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (dotInName ? settingsFileName.substr(0, dot) : settingsFileName) + ".BCK";
}

void SetInstanceNumber(tProgramValues& values, int instanceNumber) {
    values.InstanceNumber = instanceNumber;
    values.SettingsFileName = SettingsFileNameFor(values.ProgramDir, instanceNumber);
    values.DdeServiceName = DdeServiceNameFor(instanceNumber);
}

} // namespace vc
