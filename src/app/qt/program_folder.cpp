#include "app/qt/program_folder.h"

#include <cstdlib>
#include <system_error>

namespace vc {

namespace fs = std::filesystem;

namespace {

// What the program reads from its folder; the rest of the data (the simulated exchange's
// listings) is not the program's.
constexpr const char* kSeededFolders[] = {"SKINS", "Help", "TOOLS"};

} // namespace

fs::path InstalledDataDir(const fs::path& executableDir) {
    if (const char* dir = std::getenv("VELOCREST_DATA_DIR"); dir != nullptr && *dir != '\0') {
        return dir;
    }
    std::error_code error;
    const fs::path installed = executableDir / ".." / "share" / "velocrest";
    if (fs::is_directory(installed, error)) {
        return installed;
    }
#ifdef VELOCREST_BUILD_DATA_DIR
    return VELOCREST_BUILD_DATA_DIR;
#else
    return installed;
#endif
}

bool PrepareProgramFolder(const std::string& programDir, const fs::path& dataDir) {
    std::error_code error;
    fs::create_directories(programDir, error);
    if (!fs::is_directory(programDir, error)) {
        return false;
    }
    for (const char* part : kSeededFolders) {
        const fs::path source = dataDir / part;
        if (!fs::is_directory(source, error)) {
            continue;
        }
        for (auto it = fs::recursive_directory_iterator(source, error);
             !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            const fs::path target = fs::path(programDir) / part / fs::relative(it->path(), source, error);
            if (it->is_directory(error)) {
                fs::create_directories(target, error);
            } else if (!fs::exists(target, error)) {
                fs::create_directories(target.parent_path(), error);
                fs::copy_file(it->path(), target, fs::copy_options::skip_existing, error);
            }
            error.clear();
        }
    }
    return true;
}

} // namespace vc
