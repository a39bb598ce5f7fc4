// Where an instance keeps its files: the numbered settings file in the program folder, its ".BCK"
// backup beside it, and the program folder itself as the environment gives it.
#pragma once

#include <string>

namespace vc {

// "Velocrest.INI" for the first instance, "Velocrest_<n>.INI" for the next ones, in programDir
// (which ends in "/").
std::string SettingsFileFor(const std::string& programDir, int instanceNumber);
// The settings file up to its last "." (of the file name, not of a folder) + ".BCK".
std::string BackupFileFor(const std::string& settingsFileName);
// $VELOCREST_HOME, else $XDG_DATA_HOME/velocrest, else $HOME/.local/share/velocrest; always ending
// in "/". Empty when none of them is set.
std::string ProgramDirFromEnvironment();

} // namespace vc
