// The program folder: where it is, where the installed data comes from, and the first start's
// copy of that data into it. Pure file-system code; the paths come in from the caller.
#pragma once

#include <string>

#include "platform/xdg_dirs.h"

namespace vc {

// $VELOCREST_HOME when set, else $XDG_DATA_HOME/velocrest/ (~/.local/share/velocrest/ by
// default); absolute and ending in "/". Empty when no folder can be named (no home folder).
std::string ResolveProgramDir(const tEnvLookup& env);

// The folder of the installed data (skins, help, ...): $VELOCREST_DATA_DIR when set (and then only
// that), else <executable's folder>/../share/velocrest, else buildDataDir (the source tree's data
// folder, for runs from the build tree). The first of them that is a folder; empty when none is.
std::string FindInstalledDataDir(const std::string& executablePath, const tEnvLookup& env,
                                 const std::string& buildDataDir);
// The source tree's data folder as the build knows it; empty in an installed build.
std::string BuildTreeDataDir();

struct tSeedResult {
    bool FolderReady = false; // the program folder exists (was there or was created)
    int Copied = 0;           // files copied in
    int Kept = 0;             // files left alone because a file of that name (in any case) was there
    int Failed = 0;           // files that could not be copied
};

// Creates programDir (with its parents) and copies every file below dataDir into it that it does
// not hold yet, folders included. Names are matched without regard to case, as the program finds
// its files that way, so "skins/" already there takes the data's "SKINS/". Nothing is ever
// overwritten, and a copy cut short never leaves a partial file under the final name. Symbolic
// links to folders are not followed; other entries than files and folders are skipped.
tSeedResult SeedProgramDir(const std::string& programDir, const std::string& dataDir);

// The first start's preparation: the folder is seeded while it holds no settings file of the first
// instance yet, so a first start that was cut short is completed at the next start, and files the
// user deleted later do not come back.
tSeedResult PrepareProgramDir(const std::string& programDir, const std::string& dataDir);

} // namespace vc
