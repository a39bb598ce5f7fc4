#include "platform/desktop_files.h"

#include <filesystem>
#include <optional>

#include "platform/desktop_entry.h"
#include "toolkit/atomic_file.h"

namespace vc {

namespace fs = std::filesystem;

namespace {

// Our own entries are a few hundred bytes; anything far larger is not ours and gets replaced.
constexpr std::size_t kMaxStoredEntry = 64 * 1024;

enum class tUpdate { Unchanged, Written, Failed };

// Writes text to path unless the file holds exactly text already.
tUpdate WriteIfDifferent(const std::string& path, const std::string& text) {
    if (path.empty()) {
        return tUpdate::Failed;
    }
    std::string stored;
    if (ReadFileLimited(path, kMaxStoredEntry, stored) == tReadResult::Ok && stored == text) {
        return tUpdate::Unchanged;
    }
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    return WriteFileAtomically(path, text) ? tUpdate::Written : tUpdate::Failed;
}

} // namespace

tDesktopFilePaths DesktopFilePathsFor(const tEnvLookup& env) {
    tDesktopFilePaths paths;
    const std::string configHome = XdgConfigHome(env);
    const std::string dataHome = XdgDataHome(env);
    if (configHome.empty() || dataHome.empty()) {
        return paths;
    }
    paths.AutostartEntry = configHome + "/autostart/" + kDesktopFileName;
    paths.ApplicationsDir = dataHome + "/applications";
    paths.ApplicationEntry = paths.ApplicationsDir + "/" + kDesktopFileName;
    paths.MimeDir = dataHome + "/mime";
    paths.MimePackage = paths.MimeDir + "/packages/" + kMimePackageFileName;
    return paths;
}

bool AutostartEntryExists(const tDesktopFilePaths& paths) {
    std::error_code ec;
    return !paths.AutostartEntry.empty() && fs::is_regular_file(paths.AutostartEntry, ec);
}

bool WriteAutostartEntry(const tDesktopFilePaths& paths, const std::string& executablePath) {
    const std::optional<std::string> text = AutostartEntryText(executablePath);
    return text && WriteIfDifferent(paths.AutostartEntry, *text) != tUpdate::Failed;
}

bool RunsFromInstalledPrefix(const std::string& executablePath) {
    if (executablePath.empty()) {
        return false;
    }
    const fs::path share = fs::path(executablePath).parent_path() / ".." / "share";
    std::error_code ec;
    return fs::is_directory(share / "velocrest", ec) &&
           fs::is_regular_file(share / "applications" / kDesktopFileName, ec);
}

tFileTypeResult RegisterFileType(const tDesktopFilePaths& paths, const std::string& executablePath,
                                 const tDesktopToolRunner& runTool) {
    tFileTypeResult result;
    const tUpdate mime = WriteIfDifferent(paths.MimePackage, MimePackageText());
    result.MimePackageWritten = mime == tUpdate::Written;
    result.InstalledEntryServes = RunsFromInstalledPrefix(executablePath);
    tUpdate application = tUpdate::Unchanged;
    if (!result.InstalledEntryServes) {
        const std::optional<std::string> entry = ApplicationEntryText(executablePath);
        application = entry ? WriteIfDifferent(paths.ApplicationEntry, *entry) : tUpdate::Failed;
    }
    result.ApplicationEntryWritten = application == tUpdate::Written;
    result.Failed = mime == tUpdate::Failed || application == tUpdate::Failed;
    if (runTool) {
        if (result.MimePackageWritten) {
            runTool("update-mime-database", {paths.MimeDir});
        }
        if (result.ApplicationEntryWritten) {
            runTool("update-desktop-database", {paths.ApplicationsDir});
        }
    }
    return result;
}

} // namespace vc
