// The program folder's first start: the folder is created and the installed data (skins, help,
// tools) copied in, without overwriting anything the user has there.
#pragma once

#include <filesystem>
#include <string>

namespace vc {

// Where the installed data lives: $VELOCREST_DATA_DIR, else share/velocrest beside the
// executable's folder, else the data folder of the source tree the program was built from.
std::filesystem::path InstalledDataDir(const std::filesystem::path& executableDir);
// Creates programDir and copies in every file of dataDir that it lacks. False when the folder
// cannot be created.
bool PrepareProgramFolder(const std::string& programDir, const std::filesystem::path& dataDir);

} // namespace vc
