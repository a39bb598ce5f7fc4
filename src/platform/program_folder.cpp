#include "platform/program_folder.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "toolkit/file_names.h"

namespace vc {

namespace fs = std::filesystem;

namespace {

// The entry of folder named name in any case, or nothing; the exact spelling wins.
std::optional<fs::path> FindCaseless(const fs::path& folder, const std::string& name) {
    const fs::path found = ResolveCaseless(folder, name);
    std::error_code ec;
    if (fs::exists(fs::symlink_status(found, ec))) {
        return found;
    }
    return std::nullopt;
}

// Copies source to target through a temporary file beside target; link() puts it in place only
// while no file of that name exists, so nothing the user has is ever replaced.
bool CopyWithoutOverwriting(const fs::path& source, const fs::path& target) {
    std::ifstream in(source, std::ios::binary);
    if (!in) {
        return false;
    }
    std::string pattern = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    char buffer[65536];
    while (ok && in) {
        in.read(buffer, sizeof buffer);
        const char* data = buffer;
        std::size_t left = static_cast<std::size_t>(in.gcount());
        while (ok && left > 0) {
            const ssize_t written = ::write(fd, data, left);
            if (written < 0 && errno == EINTR) {
                continue;
            }
            ok = written > 0;
            if (ok) {
                data += written;
                left -= static_cast<std::size_t>(written);
            }
        }
    }
    ok = ok && !in.bad() && ::fsync(fd) == 0;
    std::error_code ec;
    fs::perms perms = fs::status(source, ec).permissions();
    // Settings files (the messenger helper's holds service tokens) are the user's alone.
    const std::string name = target.filename().string();
    if (name.size() > 4 && SameFileName(name.substr(name.size() - 4), ".INI")) {
        perms = fs::perms::owner_read | fs::perms::owner_write;
    }
    if (!ec) {
        ::fchmod(fd, static_cast<mode_t>(perms & fs::perms::all));
    }
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::link(pattern.c_str(), target.c_str()) == 0;
    ::unlink(pattern.c_str());
    return ok;
}

// root is the program folder: when it lies inside the data folder (a program folder set up in the
// build tree), it is not copied into itself.
void SeedFolder(const fs::path& source, const fs::path& target, const fs::path& root, tSeedResult& result) {
    std::error_code ec;
    for (auto it = fs::directory_iterator(source, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        const fs::path& from = it->path();
        std::error_code same;
        if (fs::equivalent(from, root, same)) {
            continue;
        }
        const std::string name = from.filename().string();
        const fs::file_status linkStatus = fs::symlink_status(from, ec);
        if (ec) {
            ++result.Failed;
            continue;
        }
        const std::optional<fs::path> existing = FindCaseless(target, name);
        if (fs::is_directory(linkStatus)) {
            fs::path into = existing.value_or(target / name);
            std::error_code made;
            if (!existing) {
                fs::create_directory(into, made);
            }
            if (made || !fs::is_directory(into, made)) {
                ++result.Failed;
                continue;
            }
            SeedFolder(from, into, root, result);
        } else if (fs::is_regular_file(fs::status(from, ec)) && !fs::is_directory(linkStatus)) {
            if (existing) {
                ++result.Kept;
            } else if (CopyWithoutOverwriting(from, target / name)) {
                ++result.Copied;
            } else {
                ++result.Failed;
            }
        }
    }
}

} // namespace

std::string ResolveProgramDir(const tEnvLookup& env) {
    std::string folder;
    if (const std::optional<std::string> home = env("VELOCREST_HOME"); home && !home->empty()) {
        folder = *home;
    } else {
        const std::string dataHome = XdgDataHome(env);
        if (dataHome.empty()) {
            return {};
        }
        folder = dataHome + "/velocrest";
    }
    std::error_code ec;
    fs::path absolute = fs::absolute(folder, ec);
    if (!ec) {
        folder = absolute.lexically_normal().string();
    }
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string FindInstalledDataDir(const std::string& executablePath, const tEnvLookup& env,
                                 const std::string& buildDataDir) {
    std::error_code ec;
    auto isFolder = [&ec](const fs::path& path) { return !path.empty() && fs::is_directory(path, ec); };
    if (const std::optional<std::string> data = env("VELOCREST_DATA_DIR"); data && !data->empty()) {
        return isFolder(*data) ? *data : std::string();
    }
    if (!executablePath.empty()) {
        const fs::path installed = fs::path(executablePath).parent_path() / ".." / "share" / "velocrest";
        if (isFolder(installed)) {
            return installed.lexically_normal().string();
        }
    }
    return isFolder(buildDataDir) ? buildDataDir : std::string();
}

std::string BuildTreeDataDir() {
#ifdef VELOCREST_BUILD_DATA_DIR
    return VELOCREST_BUILD_DATA_DIR;
#else
    return {};
#endif
}

tSeedResult SeedProgramDir(const std::string& programDir, const std::string& dataDir) {
    tSeedResult result;
    std::error_code ec;
    fs::create_directories(programDir, ec);
    result.FolderReady = fs::is_directory(programDir, ec);
    if (result.FolderReady && !dataDir.empty() && fs::is_directory(dataDir, ec)) {
        SeedFolder(dataDir, programDir, programDir, result);
    }
    return result;
}

tSeedResult PrepareProgramDir(const std::string& programDir, const std::string& dataDir) {
    std::error_code ec;
    if (fs::is_directory(programDir, ec) && FindCaseless(programDir, "Velocrest.INI")) {
        tSeedResult result;
        result.FolderReady = true;
        return result;
    }
    return SeedProgramDir(programDir, dataDir);
}

} // namespace vc
