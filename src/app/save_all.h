// Writing the instance's settings file anew at shutdown: the tape, the sections that other windows
// keep in the same file, and the proxy setting, with the previous file kept as the ".BCK" backup.
#pragma once

#include <string>

#include "toolkit/atomic_file.h"

namespace vc {

class tMessageBoxer;
class tTickerTape;
struct tProgramValues;

// The sections of the old file that survive a rewrite; every other section not written by the
// tape is dropped. A grid's layout lives in four sections, and all four must survive, or a grid
// would come back with its widths and order but not its sorting and lines per row.
inline constexpr const char* kKeptSections[] = {"General",   "GridSizing",  "FormSizing",
                                                "Gridorder", "Gridsorting", "Gridrows"};

// Writes the settings file from scratch. The new file is complete on disk before anything is
// moved: only then does the old file become the backup and the new one take its place, so a
// failed write (full disk, failing writer) leaves both the old file and the old backup as they
// were and returns false. A folder that takes no new files leaves no room for a backup either:
// the settings file is then rewritten in place when it is writable, and the backup stays as it was. With
// InstanceNumber -1 (the user deleted this tape) the settings file and its backup are deleted instead. write
// replaces the low-level write in tests.
bool SaveAll(const tTickerTape& tape, const tProgramValues& values, const tWriteFn& write = {});

// Clears what saves of this settings file left behind when a process died mid-save: the named
// temporary files of the file and of its pending new version, and the pending file itself. A
// pending file is always complete, so where the settings file is missing (the process died
// between moving the old file aside and renaming the new one in) it becomes the settings file.
// Only the holder of the file's instance lock may call this: nobody else writes those names.
// Returns how many files were removed.
int RemoveSaveLeftovers(const std::string& settingsFileName);

inline constexpr const char* kTooLargeCaption = "Settings";
// A settings file too large to be read is kept under a new name before anything is saved over it
// (ini::SetAsideIfTooLarge), and the user is told once, through boxer, where it went. Returns the
// new name; empty when the file was not too large, or when it could not be renamed (the user is
// told that too, and no save replaces the file).
std::string KeepTooLargeSettings(const std::string& settingsFileName, tMessageBoxer& boxer);

} // namespace vc
