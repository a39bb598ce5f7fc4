// The per-user files through which the desktop starts the program at login and opens its file
// type: where they live, whether they are there, and writing them only when they differ from what
// is stored, so a start that changes nothing touches nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/xdg_dirs.h"

namespace vc {

struct tDesktopFilePaths {
    std::string AutostartEntry;   // $XDG_CONFIG_HOME/autostart/velocrest.desktop
    std::string ApplicationsDir;  // $XDG_DATA_HOME/applications
    std::string ApplicationEntry; // ApplicationsDir/velocrest.desktop
    std::string MimeDir;          // $XDG_DATA_HOME/mime, the database update-mime-database rebuilds
    std::string MimePackage;      // MimeDir/packages/velocrest.xml
};

// The paths for the user of env; all empty when there is no home folder to put them in.
tDesktopFilePaths DesktopFilePathsFor(const tEnvLookup& env);

// Whether the program starts at login: an autostart entry of ours exists.
bool AutostartEntryExists(const tDesktopFilePaths& paths);
// Makes the autostart entry start executablePath, creating its folder when needed; true when the
// entry now holds exactly that (written or already so). False for a path no entry can carry or a
// failed write, which leaves any old entry as it was.
bool WriteAutostartEntry(const tDesktopFilePaths& paths, const std::string& executablePath);

// Runs a tool of the desktop's databases (update-mime-database, update-desktop-database) with an
// argument list when it is installed; what it does or whether it fails is not our concern.
using tDesktopToolRunner =
    std::function<void(const std::string& program, const std::vector<std::string>& arguments)>;

// Whether executablePath runs from an installed prefix, one whose install put the program's data
// (<prefix>/share/velocrest) and its application entry (<prefix>/share/applications/velocrest.desktop)
// beside the executable's folder <prefix>/bin. A run from the build tree has neither.
bool RunsFromInstalledPrefix(const std::string& executablePath);

struct tFileTypeResult {
    bool MimePackageWritten = false;
    bool ApplicationEntryWritten = false;
    bool InstalledEntryServes = false; // run from an installed prefix: no user entry was written
    bool Failed = false; // a file that differed could not be written, or no path or quoting was possible
};

// Registers our file type with the desktop: the shared-mime-info package and the application entry
// that opens such files with executablePath. Each file is written only when its text differs from
// the one stored; the databases are rebuilt through runTool only for what was written. An executable
// that runs from an installed prefix gets no user entry: one of the same name would hide the
// installed entry from the desktop.
tFileTypeResult RegisterFileType(const tDesktopFilePaths& paths, const std::string& executablePath,
                                 const tDesktopToolRunner& runTool);

} // namespace vc
