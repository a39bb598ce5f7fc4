// Writing the instance's settings file anew at shutdown: the tape, the sections that other windows
// keep in the same file, and the proxy setting, with the previous file kept as the ".BCK" backup.
#pragma once

#include "toolkit/atomic_file.h"

namespace vc {

class tTickerTape;
struct tProgramValues;

// The sections of the old file that survive a rewrite; every other section not written by the
// tape is dropped.
inline constexpr const char* kKeptSections[] = {"General", "GridSizing", "FormSizing", "Gridorder"};

// Writes the settings file from scratch. The new file is complete on disk before anything is
// moved: only then does the old file become the backup and the new one take its place, so a
// failed write (full disk, read-only folder) leaves both the old file and the old backup as they
// were and returns false. With InstanceNumber -1 (the user deleted this tape) the settings file
// and its backup are deleted instead. write replaces the low-level write in tests.
bool SaveAll(const tTickerTape& tape, const tProgramValues& values, const tWriteFn& write = {});

} // namespace vc
