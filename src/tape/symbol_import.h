// Reading symbol lists from files: delimited text (one symbol per line, with its name after a tab,
// ";" or ",") and selection files of a screening tool (".SEL", settings-file style with "Criteria"
// and "Titles" sections). Both give a sorted list of "name|symbol" lines without duplicates.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tape/ini_object.h"

namespace vc {

// A list of a few thousand symbols is a few hundred kilobytes; only the first 8 MiB of a larger file
// are read.
inline constexpr std::size_t kMaxSymbolFileBytes = std::size_t{8} << 20;
// Symbol and name sit at the front of a line and the name is cut to 20 characters anyway, so only
// the first 4 KiB of a longer line are looked at.
inline constexpr std::size_t kMaxSymbolLineBytes = 4096;
// No tape holds more; further distinct symbols of a file are ignored.
inline constexpr std::size_t kMaxSymbolEntries = 100000;

// The file as a selection file when its extension is ".SEL" (any case), else as delimited text.
// A missing or unreadable file gives an empty list.
std::vector<std::string> ReadSymbolFile(const std::string& fileName);
// Delimited text given as bytes.
std::vector<std::string> ReadDelimitedSymbols(std::string_view bytes);
// A loaded selection file.
std::vector<std::string> ReadSelectionSymbols(const tIniObject& selection);

} // namespace vc
