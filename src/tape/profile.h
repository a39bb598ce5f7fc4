// Single keys of a settings file, read and written directly on the file at any moment of the run
// (window sizes, grid layouts, a few program-wide values in "General"). Each call reads the file;
// a write rewrites it as a whole through a temporary file, keeping every other line where it was.
// Same text format as tIniObject: "[Section]" headers, "key=value" lines, CR LF, Windows-1252.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/atomic_file.h"

namespace vc {

// The value of the first matching key (section and key compared without regard to case), or the
// default; at most 299 characters, blanks trimmed from both ends.
std::string ProfileReadString(const std::string& fileName, std::string_view section, std::string_view key,
                              std::string_view defaultValue);
// The text read as ProfileReadString does (the default turned into text), read as an integer:
// decimal, truncated toward zero, malformed or empty text is 0.
int ProfileReadInteger(const std::string& fileName, std::string_view section, std::string_view key,
                       int defaultValue);
// As ProfileReadInteger; any value other than 0 is true.
bool ProfileReadBool(const std::string& fileName, std::string_view section, std::string_view key,
                     bool defaultValue);

// Sets one key; key and value are cut to 300 characters (and the value before any line break).
// An existing key keeps its line, a new key goes after the last line of its section, a new section
// at the end of the file; the file is created when missing. False, with the file untouched, when it
// cannot be read whole (unreadable, not a file, larger than a settings file can be, in the scrambled
// form) or cannot be written. write replaces the low-level write in tests.
bool ProfileWriteString(const std::string& fileName, std::string_view section, std::string_view key,
                        std::string_view value, const tWriteFn& write = {});

} // namespace vc
